#include "gui/common/status_line.h"

#include <QAccessible>
#include <QLabel>

namespace kestrel::gui {

StatusLine::StatusLine(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusLine"));
    setSizeGripEnabled(false);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("StatusMessage"));
    message_->setTextFormat(Qt::PlainText);
    addWidget(message_, 1);
}

void StatusLine::say(const QString& message)
{
    // A label is heard as its text: setText sends the name change.
    message_->setText(message);
    QAccessibleValueChangeEvent changed(this, message);
    QAccessible::updateAccessibility(&changed);
}

QString StatusLine::message() const { return message_->text(); }

void announce(QWidget* control, const QString& message)
{
    for (QWidget* window = control ? control->window() : nullptr; window;
         window = window->parentWidget() ? window->parentWidget()->window() : nullptr) {
        if (auto* line = window->findChild<StatusLine*>()) {
            line->say(message);
            return;
        }
    }
}

} // namespace kestrel::gui
