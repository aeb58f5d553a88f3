#pragma once
// Two procedures side by side in read-only fixed-pitch panes that scroll
// together, aligned step by step (core/procgen/procedure_comparison.h):
// equal lines stand beside each other, as do lines that differ in their
// step number alone, unmarked; a removed or changed line is marked on the
// left and an added or changed one on the right, and a blank filler line
// stands across from a line the other side lacks.
#include "core/procgen/procedure_comparison.h"

#include <QColor>
#include <QWidget>

#include <optional>
#include <string_view>
#include <vector>

class QPlainTextEdit;

namespace kestrel::gui {

class SideBySidePanes : public QWidget {
    Q_OBJECT

public:
    explicit SideBySidePanes(QWidget* parent);

    // The two texts, lines ended with LF or CR LF; the panes open at the
    // first difference.
    void show(std::string_view left, std::string_view right);

    QPlainTextEdit* left() const { return left_; }
    QPlainTextEdit* right() const { return right_; }
    // The comparison of the texts shown.
    const ProcedureComparison& comparison() const { return comparison_; }

    // The first row of each run of rows that differ, in order.
    std::vector<int> differences() const;
    // Puts both panes' cursors on the first row of the next (step 1) or
    // previous (step -1) difference from the row of the cursor in the pane
    // with the focus (the left one when neither has it), with a few rows
    // of what leads to it in sight. Says the difference's index in
    // differences(), or nothing when there is none that way.
    std::optional<std::size_t> goToDifference(int step);
    // The pane's row of the cursor, and the text of a row on either side
    // (the left one's, or the right one's where the left has a filler).
    int currentRow() const;
    QString rowText(int row) const;

    // The marks' backgrounds.
    static QColor removedColour() { return {0xff, 0xd7, 0xd5}; }
    static QColor addedColour() { return {0xd4, 0xf4, 0xd9}; }
    static QColor fillerColour() { return {0xee, 0xee, 0xee}; }

private:
    QPlainTextEdit* left_;
    QPlainTextEdit* right_;
    ProcedureComparison comparison_;
    bool visited_ = false; // a difference was gone to
};

} // namespace kestrel::gui
