#pragma once
// What the help and accuracy-file viewers need from the program, lent by
// whoever opens them (the main window, the Scopes page, the procedure
// viewer): the texts, where messages go, Tessel's folders and the state the
// viewers share between openings.
#include "core/base/message_sink.h"
#include "core/i18n/text_lookup.h"
#include "core/viewers/viewer_state.h"

#include <QString>

namespace kestrel::gui {

struct ViewerContext {
    const TextLookup& texts;
    MessageSink& sink;
    QString helpDir; // Tessel's help files
    QString accDir;  // Tessel's accuracy files
    ViewerState& state;
};

} // namespace kestrel::gui
