#include "gui/common/status_line.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace kestrel::gui {

namespace {

// The notification a screen reader speaks when it appears: its name is the
// message.
class Notification : public QWidget {
public:
    explicit Notification(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("StatusNotification"));
        setFixedSize(0, 0);
        setFocusPolicy(Qt::NoFocus);
    }
};

class NotificationInterface : public QAccessibleWidget {
public:
    explicit NotificationInterface(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Notification) { }
};

QAccessibleInterface* notificationInterface(const QString&, QObject* object)
{
    if (auto* widget = dynamic_cast<Notification*>(object))
        return new NotificationInterface(widget);
    return nullptr;
}

} // namespace

StatusLine::StatusLine(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusLine"));
    setSizeGripEnabled(false);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("StatusMessage"));
    message_->setTextFormat(Qt::PlainText);
    addWidget(message_, 1);
    static const bool installed = [] {
        QAccessible::installFactory(&notificationInterface);
        return true;
    }();
    Q_UNUSED(installed);
    notification_ = new Notification(this);
    notification_->hide();
}

void StatusLine::say(const QString& message)
{
    // A label is heard as its text: setText sends the name change.
    message_->setText(message);
    QAccessibleValueChangeEvent changed(this, message);
    QAccessible::updateAccessibility(&changed);
    notification_->hide();
    notification_->setAccessibleName(message);
    notification_->show();
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
