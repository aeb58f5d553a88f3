#pragma once
// The viewer's keyword highlighting for a whole text box: each line is
// coloured as it is laid out, and a change recolours only the lines it
// touched.
#include "core/viewers/line_highlighting.h"

#include <QColor>
#include <QSyntaxHighlighter>

namespace kestrel::gui {

// The colour keywords, instruments and comments are shown in, on white.
QColor highlightColour(HighlightColour colour);

class ProcedureHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit ProcedureHighlighter(QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;
};

} // namespace kestrel::gui
