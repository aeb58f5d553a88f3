#include "gui/common/message_box_sink.h"

#include "core/i18n/text_numbers.h"
#include "gui/common/window_texts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace kestrel::gui {
namespace {

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qtButton(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Ok:
        return QMessageBox::Ok;
    case MessageAnswer::Cancel:
        return QMessageBox::Cancel;
    case MessageAnswer::Yes:
        return QMessageBox::Yes;
    case MessageAnswer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// Closing the box with Escape or the title bar's button: the answer that
// changes nothing.
MessageAnswer escapeAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

} // namespace

QString MessageBoxSink::caption(int number, bool english) const
{
    const QString text = textOf(english ? englishLookup() : *texts_, number);
    return text.isEmpty() ? textOf(englishLookup(), number) : text;
}

MessageAnswer MessageBoxSink::show(const Message& message)
{
    QWidget* parent = parent_ ? parent_.data() : QApplication::activeWindow();
    const bool nested = building_;
    building_ = true;
    const QString title = message.title.empty() ? caption(kTextProgramName, nested) : qtText(message.title);
    QMessageBox box(qtIcon(message.icon), title, qtLines(message.text), qtButtons(message.buttons), parent);
    for (const auto& [button, number] :
        {std::pair{QMessageBox::Ok, kTextOk}, std::pair{QMessageBox::Cancel, kTextCancel},
            std::pair{QMessageBox::Yes, kTextYes}, std::pair{QMessageBox::No, kTextNo}})
        if (QAbstractButton* shown = box.button(button))
            shown->setText(caption(number, nested));
    building_ = nested;
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setDefaultButton(qtButton(message.defaultAnswer));
    box.setEscapeButton(qtButton(escapeAnswer(message.buttons)));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return escapeAnswer(message.buttons);
    }
}

} // namespace kestrel::gui
