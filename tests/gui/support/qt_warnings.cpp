#include "support/qt_warnings.h"

namespace kestrel::test {
namespace {

QtWarnings* listening = nullptr; // one at a time: the tests run on one thread

} // namespace

QtWarnings::QtWarnings() : previous_(qInstallMessageHandler(&QtWarnings::handle)) { listening = this; }

QtWarnings::~QtWarnings()
{
    qInstallMessageHandler(previous_);
    listening = nullptr;
}

void QtWarnings::handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (listening && (type == QtWarningMsg || type == QtCriticalMsg))
        listening->texts_ << message;
    if (listening && listening->previous_)
        listening->previous_(type, context, message);
}

} // namespace kestrel::test
