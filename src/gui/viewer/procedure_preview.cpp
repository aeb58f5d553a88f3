#include "gui/viewer/procedure_preview.h"

#include "core/app/create.h"
#include "core/base/message_sink.h"
#include "core/i18n/text_numbers.h"
#include "core/viewers/rich_text_form.h"
#include "gui/common/window_texts.h"
#include "gui/document/document.h"
#include "gui/viewer/procedure_highlighter.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>
#include <exception>

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

ProcedurePreview::ProcedurePreview(Document& document, QWidget* parent) : QDockWidget(parent), document_(document)
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

void ProcedurePreview::closeEvent(QCloseEvent* event)
{
    QDockWidget::closeEvent(event);
    if (event->isAccepted())
        emit closedByUser();
}

void ProcedurePreview::regenerate()
{
    // A hidden pane is brought up to date when it is shown again.
    if (isHidden())
        return;
    ProcedureInputs inputs = document_.inputsDatedToday();
    if (typedCell_)
        if (const std::optional<TypedCell> typed = typedCell_())
            inputs.meter.table(typed->function).setCell(typed->row, typed->column, typed->text);
    // The viewer's text of Create's procedure. Create's messages are for
    // Create: nothing here interrupts the typing.
    QString shown;
    QString hint = document_.text(kTextEnterSpecificationsFirst);
    try {
        SilentSink silent;
        const CreateResult result = createProcedure(inputs, document_.texts(), silent);
        if (result.status != CreateStatus::NothingCreated)
            shown = qtText(richTextToPlain(viewerForm(result.text)));
    } catch (const std::exception& failure) {
        hint = qtText(failure.what());
    }
    text_->setPlaceholderText(hint);
    if (shown != shown_)
        display(shown);
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
    down->setValue(top);
    across->setValue(left);
    ++replacements_;
}

} // namespace kestrel::gui
