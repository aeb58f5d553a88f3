#include "gui/viewer/create_delivery.h"

#include "core/app/create.h"
#include "core/i18n/text_lookup.h"
#include "core/i18n/text_numbers.h"
#include "gui/common/status_line.h"
#include "gui/common/wait_cursor.h"
#include "gui/common/window_texts.h"
#include "gui/viewer/procedure_viewer.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

#include <algorithm>
#include <exception>

namespace kestrel::gui {
namespace {

// The normal pointer comes back before any message box.
class PointerRestoringSink : public MessageSink {
public:
    PointerRestoringSink(MessageSink& sink, WaitCursor& wait) : sink_(sink), wait_(wait) { }
    MessageAnswer show(const Message& message) override
    {
        wait_.restore();
        return sink_.show(message);
    }

private:
    MessageSink& sink_;
    WaitCursor& wait_;
};

constexpr int kFlashMilliseconds = 200;

} // namespace

void showProcedure(const std::string& procedureText, const ProcedureInputs& inputs, const ViewerContext& viewers,
    const CreateTargets& targets)
{
    ProcedureViewer viewer(viewers, procedureText, inputs.selections.reference, targets.topmost, targets.parent);
    viewer.exec();
}

int lineCount(const std::string& text)
{
    const auto breaks = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    return breaks + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

void copyProcedure(const std::string& procedureText, QAbstractButton* createButton, const TextLookup& texts)
{
    const QString styleBefore = createButton ? createButton->styleSheet() : QString();
    if (createButton) {
        createButton->setStyleSheet(QStringLiteral("background-color: rgb(0, 255, 0);"));
        createButton->repaint();
    }
    const std::string copied = clipboardForm(procedureText);
    QGuiApplication::clipboard()->setText(qtText(copied));
    // Only the button's colour shows it: the status line says it.
    announce(createButton, qtText(textWith(texts, kTextAnnounceCopied, {std::to_string(lineCount(copied))})));
    // Window events keep running, so the green face shows; the user's clicks
    // and keys wait.
    QEventLoop pause;
    QTimer::singleShot(kFlashMilliseconds, &pause, &QEventLoop::quit);
    pause.exec(QEventLoop::ExcludeUserInputEvents);
    if (createButton) {
        createButton->setStyleSheet(styleBefore);
        createButton->repaint();
    }
}

void createAndDeliver(const ProcedureInputs& inputs, const ViewerContext& viewers, const CreateTargets& targets)
{
    // The keyboard now, not as the last event left it: a click from UI
    // automation with Ctrl held counts too.
    const bool toClipboard = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
    WaitCursor wait;
    PointerRestoringSink sink(viewers.sink, wait);
    try {
        const CreateResult result = createProcedure(inputs, viewers.texts, sink);
        if (result.status != CreateStatus::NothingCreated) {
            if (toClipboard) {
                copyProcedure(result.text, targets.createButton, viewers.texts);
            } else {
                wait.restore();
                showProcedure(result.text, inputs, viewers, targets);
            }
        }
    } catch (const std::exception& failure) {
        wait.restore();
        viewers.sink.inform(errorReport(viewers.texts, " Create procedure  ", failure.what()));
        return;
    }
    wait.restore();
    if (targets.grid && targets.grid->isVisible())
        targets.grid->setFocus();
}

} // namespace kestrel::gui
