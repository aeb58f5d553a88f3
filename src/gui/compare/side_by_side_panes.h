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

#include <string_view>

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

    // The marks' backgrounds.
    static QColor removedColour() { return {0xff, 0xd7, 0xd5}; }
    static QColor addedColour() { return {0xd4, 0xf4, 0xd9}; }
    static QColor fillerColour() { return {0xee, 0xee, 0xee}; }

private:
    QPlainTextEdit* left_;
    QPlainTextEdit* right_;
    ProcedureComparison comparison_;
};

} // namespace kestrel::gui
