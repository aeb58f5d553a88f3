#include "gui/viewer/procedure_highlighter.h"

#include "gui/common/text_positions.h"
#include "gui/common/window_texts.h"

namespace kestrel::gui {

QColor highlightColour(HighlightColour colour)
{
    switch (colour) {
    case HighlightColour::Keyword:
        return QColor(255, 0, 0);
    case HighlightColour::Instrument:
        return QColor(0, 0, 255);
    case HighlightColour::Comment:
        return QColor(0, 128, 0);
    }
    return QColor(0, 0, 0);
}

ProcedureHighlighter::ProcedureHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) { }

void ProcedureHighlighter::highlightBlock(const QString& text)
{
    for (const HighlightSpan& span : highlightLine(coreText(text))) {
        const int start = utf16Position(text, span.start);
        setFormat(start, utf16Position(text, span.start + span.length) - start, highlightColour(span.colour));
    }
}

} // namespace kestrel::gui
