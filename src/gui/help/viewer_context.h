#pragma once
// What the help and accuracy-file viewers need from the program, lent by
// whoever opens them (the main window, the Scopes page, the procedure
// viewer): the texts, where messages go, Tessel's folders and the state the
// viewers share between openings.
#include "core/base/message_sink.h"
#include "core/i18n/text_lookup.h"
#include "core/viewers/viewer_state.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include <functional>

namespace kestrel::gui {

struct ViewerContext {
    const TextLookup& texts;
    MessageSink& sink;
    QString helpDir; // Tessel's help files
    QString accDir;  // Tessel's accuracy files
    ViewerState& state;
    // Hands a file to the desktop's own program for it ("confedit.hlp");
    // false when no program took it.
    std::function<bool(const QString& path)> openOutside = [](const QString& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
};

} // namespace kestrel::gui
