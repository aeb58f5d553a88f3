#include "gui/compare/side_by_side_panes.h"

#include "core/base/line_diff.h"
#include "gui/common/window_texts.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <optional>
#include <vector>

namespace kestrel::gui {
namespace {

// The rows in sight above a difference brought up.
constexpr int kLeadRows = 3;

QPlainTextEdit* procedurePane(const char* name, QWidget* parent)
{
    auto* pane = new QPlainTextEdit(parent);
    nameControl(pane, QString::fromLatin1(name));
    pane->setReadOnly(true);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane->setFont(procedureFont());
    pane->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return pane;
}

// A line without the CR that ends it in the procedure.
QString paneLine(std::string_view line)
{
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return qtText(line);
}

// One side's rows: its own line or a filler, each with its background
// (none for an equal line).
struct PaneRow {
    QString text;
    std::optional<QColor> background;
};

void fill(QPlainTextEdit* pane, const std::vector<PaneRow>& rows)
{
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(rows.size()));
    for (const PaneRow& row : rows)
        lines << row.text;
    pane->setPlainText(lines.join(u'\n'));
    QTextCursor cursor(pane->document());
    cursor.beginEditBlock();
    QTextBlock block = pane->document()->firstBlock();
    for (const PaneRow& row : rows) {
        if (row.background) {
            QTextBlockFormat format = block.blockFormat();
            format.setBackground(*row.background);
            cursor.setPosition(block.position());
            cursor.setBlockFormat(format);
        }
        block = block.next();
    }
    cursor.endEditBlock();
    pane->moveCursor(QTextCursor::Start);
}

} // namespace

SideBySidePanes::SideBySidePanes(QWidget* parent) : QWidget(parent)
{
    left_ = procedurePane("LeftProcedure", this);
    right_ = procedurePane("RightProcedure", this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(left_, 1);
    layout->addWidget(right_, 1);

    // Both sides have as many rows, so the same position is the same row.
    const auto follow = [](QScrollBar* from, QScrollBar* to) {
        connect(from, &QScrollBar::valueChanged, to, &QScrollBar::setValue);
    };
    follow(left_->verticalScrollBar(), right_->verticalScrollBar());
    follow(right_->verticalScrollBar(), left_->verticalScrollBar());
    follow(left_->horizontalScrollBar(), right_->horizontalScrollBar());
    follow(right_->horizontalScrollBar(), left_->horizontalScrollBar());
}

void SideBySidePanes::show(std::string_view left, std::string_view right)
{
    const TextLines a = diffableLines(left), b = diffableLines(right);
    comparison_ = compareProcedures(left, right);
    std::vector<PaneRow> leftRows, rightRows;
    const std::vector<ProcedureRow>& rows = comparison_.rows;
    leftRows.reserve(rows.size());
    rightRows.reserve(rows.size());
    for (const ProcedureRow& procedureRow : rows) {
        const AlignedLine& row = procedureRow.line;
        const bool equal = row.kind == AlignedKind::Equal;
        leftRows.push_back(row.left
                ? PaneRow{paneLine(a.lines[*row.left]), equal ? std::nullopt : std::optional(removedColour())}
                : PaneRow{QString(), fillerColour()});
        rightRows.push_back(row.right
                ? PaneRow{paneLine(b.lines[*row.right]), equal ? std::nullopt : std::optional(addedColour())}
                : PaneRow{QString(), fillerColour()});
    }
    fill(left_, leftRows);
    fill(right_, rightRows);
    // The first difference in sight, with a few lines of what leads to it.
    const auto first = std::find_if(
        rows.begin(), rows.end(), [](const ProcedureRow& row) { return row.line.kind != AlignedKind::Equal; });
    if (first != rows.end())
        left_->verticalScrollBar()->setValue(std::max(0, static_cast<int>(first - rows.begin()) - kLeadRows));
}

std::vector<int> SideBySidePanes::differences() const
{
    std::vector<int> starts;
    bool inRun = false;
    for (std::size_t i = 0; i < comparison_.rows.size(); ++i) {
        const bool differs = comparison_.rows[i].line.kind != AlignedKind::Equal;
        if (differs && !inRun)
            starts.push_back(static_cast<int>(i));
        inRun = differs;
    }
    return starts;
}

int SideBySidePanes::currentRow() const
{
    const QPlainTextEdit* pane = right_->hasFocus() ? right_ : left_;
    return pane->textCursor().blockNumber();
}

QString SideBySidePanes::rowText(int row) const
{
    const QString left = left_->document()->findBlockByNumber(row).text();
    return left.isEmpty() ? right_->document()->findBlockByNumber(row).text() : left;
}

std::optional<std::size_t> SideBySidePanes::goToDifference(int step)
{
    const std::vector<int> starts = differences();
    const int from = currentRow();
    std::optional<std::size_t> found;
    if (step > 0) {
        // The first time, a difference on the cursor's own row counts.
        const auto next = visited_ ? std::upper_bound(starts.begin(), starts.end(), from)
                                   : std::lower_bound(starts.begin(), starts.end(), from);
        if (next != starts.end())
            found = static_cast<std::size_t>(next - starts.begin());
    } else {
        const auto next = std::lower_bound(starts.begin(), starts.end(), from);
        if (next != starts.begin())
            found = static_cast<std::size_t>(next - starts.begin()) - 1;
    }
    if (!found)
        return std::nullopt;
    visited_ = true;
    const int row = starts[*found];
    for (QPlainTextEdit* pane : {left_, right_}) {
        QTextCursor cursor(pane->document()->findBlockByNumber(row));
        pane->setTextCursor(cursor);
    }
    left_->verticalScrollBar()->setValue(std::max(0, row - kLeadRows));
    return found;
}

} // namespace kestrel::gui
