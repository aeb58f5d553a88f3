#include "gui/viewer/procedure_preview.h"

#include "core/app/create.h"
#include "core/base/message_sink.h"
#include "core/i18n/text_numbers.h"
#include "core/i18n/text_snapshot.h"
#include "gui/common/window_texts.h"
#include "gui/document/document.h"
#include "gui/viewer/procedure_highlighter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>
#include <exception>
#include <memory>

namespace kestrel::gui {
namespace {

// Replaces only the lines of `box` that differ between `before` (what it
// holds) and `after`: Qt lays out and recolours just those, and the lines
// above them stay where they are.
void replaceChangedLines(QPlainTextEdit* box, const QString& before, const QString& after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    const auto [firstBefore, firstAfter] = std::mismatch(before.begin(), before.begin() + shorter, after.begin());
    qsizetype head = firstBefore - before.begin();
    qsizetype tail =
        std::mismatch(before.rbegin(), before.rbegin() + (shorter - head), after.rbegin()).first - before.rbegin();
    // Whole lines: the replaced part starts at a line's start and ends at
    // a line's end, never inside a character.
    head = head == 0 ? 0 : before.lastIndexOf(u'\n', head - 1) + 1;
    const qsizetype lineEnd = before.indexOf(u'\n', before.size() - tail);
    tail = lineEnd < 0 ? 0 : before.size() - lineEnd;
    QTextCursor cursor(box->document());
    cursor.setPosition(static_cast<int>(head));
    cursor.setPosition(static_cast<int>(before.size() - tail), QTextCursor::KeepAnchor);
    cursor.insertText(after.mid(head, after.size() - head - tail));
}

} // namespace

ProcedurePreview::ProcedurePreview(Document& document, QWidget* parent) : SidePane(parent), document_(document)
{
    setObjectName(QStringLiteral("dock_Preview"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("PreviewText"));
    text_->setFont(procedureFont());
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setReadOnly(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text_->setUndoRedoEnabled(false);
    // Black on white whatever the desktop's colours, as in the viewer: the
    // highlighting colours are chosen for that.
    QPalette palette = text_->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    text_->setPalette(palette);
    // Narrow enough to share a small screen; the pane's edge widens it.
    text_->setMinimumWidth(160);
    new ProcedureHighlighter(text_->document());
    setWidget(text_);
    text_->installEventFilter(this);
    text_->viewport()->installEventFilter(this);

    coalesce_.setSingleShot(true);
    coalesce_.setInterval(0);
    connect(&coalesce_, &QTimer::timeout, this, &ProcedurePreview::regenerate);
    connect(&document_, &Document::changed, this, &ProcedurePreview::refresh);
    connect(&document_, &Document::pageChanged, this, &ProcedurePreview::refresh);
}

void ProcedurePreview::refresh()
{
    if (!coalesce_.isActive())
        coalesce_.start();
}

QString ProcedurePreview::text() const { return QString(shown_).replace(u'\n', QStringLiteral("\r\n")); }

void ProcedurePreview::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    refresh();
}

void ProcedurePreview::regenerate()
{
    // A hidden pane is brought up to date when it is shown again.
    if (isHidden())
        return;
    auto inputs = std::make_shared<ProcedureInputs>(document_.inputsDatedToday());
    if (typedCell_)
        if (const std::optional<TypedCell> typed = typedCell_())
            inputs->meter.table(typed->function).setCell(typed->row, typed->column, typed->text);
    // The procedure is made on the worker's thread from these copies; only
    // the newest result reaches the screen.
    worker_.post([this, inputs, texts = document_.textSnapshot(),
                     hint = document_.text(kTextEnterSpecificationsFirst)]() -> BackgroundWorker::Delivery {
        auto made = std::make_shared<Made>();
        made->hint = hint;
        // The viewer's text of Create's procedure. Create's messages are
        // for Create: nothing here interrupts the typing.
        try {
            SilentSink silent;
            const CreateResult result = createProcedure(*inputs, *texts, silent, nullptr, &made->sources);
            if (result.status != CreateStatus::NothingCreated)
                made->shown = qtText(shownForm(result.text));
            else
                made->sources = {};
        } catch (const std::exception& failure) {
            made->hint = qtText(failure.what());
            made->sources = {};
        }
        return [this, made] { showMade(std::move(*made)); };
    });
}

void ProcedurePreview::showMade(Made made)
{
    text_->setPlaceholderText(made.hint);
    // The same text may come from other lines (a column moved).
    const bool moved = made.sources.lines != sources_.lines;
    sources_ = std::move(made.sources);
    if (made.shown != shown_)
        display(made.shown);
    else if (moved)
        applyMarks(false);
    emit updated();
}

bool ProcedurePreview::upToDate() const { return !coalesce_.isActive() && worker_.idle(); }

void ProcedurePreview::markColumn(std::optional<MeterFunction> function, int column)
{
    std::optional<MarkedColumn> wanted;
    if (function)
        wanted = MarkedColumn{*function, column};
    const bool another = wanted != marked_;
    marked_ = wanted;
    if (another)
        applyMarks(true);
}

std::vector<int> ProcedurePreview::markedLines() const
{
    std::vector<int> lines;
    for (const QTextEdit::ExtraSelection& mark : text_->extraSelections())
        lines.push_back(mark.cursor.blockNumber());
    return lines;
}

void ProcedurePreview::applyMarks(bool scroll)
{
    QList<QTextEdit::ExtraSelection> marks;
    if (marked_) {
        QTextCharFormat format;
        format.setBackground(QColor(204, 228, 247));
        format.setProperty(QTextFormat::FullWidthSelection, true);
        // Block i is line i: one walk over both, never a search per line.
        QTextBlock block = text_->document()->begin();
        for (const LineSource& line : sources_.lines) {
            if (!block.isValid())
                break;
            if (line.page == Page::Meter && line.function == marked_->function && line.column == marked_->column) {
                QTextEdit::ExtraSelection mark;
                mark.cursor = QTextCursor(block);
                mark.format = format;
                marks.push_back(mark);
            }
            block = block.next();
        }
    }
    text_->setExtraSelections(marks);
    if (!scroll || marks.isEmpty())
        return;
    // Without wrapping the scroll bar counts lines: the marked ones come
    // into sight with a few lines above them, unless they are in sight.
    QScrollBar* down = text_->verticalScrollBar();
    const int first = marks.front().cursor.blockNumber();
    const int last = marks.back().cursor.blockNumber();
    if (first < down->value() || last >= down->value() + down->pageStep())
        down->setValue(std::max(0, first - 2));
}

bool ProcedurePreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == text_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* click = static_cast<QMouseEvent*>(event);
        chooseLine(text_->cursorForPosition(click->position().toPoint()).blockNumber());
    } else if (watched == text_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseLine(text_->textCursor().blockNumber());
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

void ProcedurePreview::chooseLine(int line)
{
    if (line < 0 || static_cast<std::size_t>(line) >= sources_.lines.size())
        return;
    const LineSource& source = sources_.lines[static_cast<std::size_t>(line)];
    if (source.page == Page::Meter && source.function)
        emit stepChosen(*source.function, std::max(0, source.column));
}

void ProcedurePreview::display(const QString& shown)
{
    QScrollBar* down = text_->verticalScrollBar();
    QScrollBar* across = text_->horizontalScrollBar();
    const int top = down->value();
    const int left = across->value();
    if (shown_.isEmpty() || shown.isEmpty()) {
        text_->setPlainText(shown);
    } else {
        replaceChangedLines(text_, shown_, shown);
        // A character Qt's document stores differently (a paragraph
        // separator typed into a text) would shift every later position:
        // then the whole text is loaded anew.
        if (text_->document()->characterCount() - 1 != shown.size())
            text_->setPlainText(shown);
    }
    shown_ = shown;
    applyMarks(false);
    down->setValue(top);
    across->setValue(left);
    ++replacements_;
}

} // namespace kestrel::gui
