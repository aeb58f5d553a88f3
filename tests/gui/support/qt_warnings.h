#pragma once
// Qt's warnings while an object of this class lives, so that a test fails
// on one ("commitData called with an editor that does not belong to this
// view" tells of an edit stored by a route that had already ended). Each
// warning is still printed as usual.
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace kestrel::test {

class QtWarnings {
public:
    QtWarnings();
    ~QtWarnings();
    QtWarnings(const QtWarnings&) = delete;
    QtWarnings& operator=(const QtWarnings&) = delete;

    const QStringList& texts() const { return texts_; }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message);

    QStringList texts_;
    QtMessageHandler previous_;
};

} // namespace kestrel::test
