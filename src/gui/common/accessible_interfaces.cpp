#include "gui/common/accessible_interfaces.h"

#include "gui/common/control_texts.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabWidget>

namespace kestrel::gui {
namespace {

class AccessibleList : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    // Qt itself sends the value change when the current entry changes.
    explicit AccessibleList(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) { }

    // The current entry is also the list's read-only text: a screen reader
    // on Linux reads a list's value from its text (Qt's bridge there has no
    // selection to read it from).
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(int start, int end) const override { return value().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(value().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return name();
        case QAccessible::Value:
            return value();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = list()->view() && list()->view()->isVisible();
        s.editable = list()->isEditable();
        return s;
    }

    // The entries' view (and the typing field of an editable list), as Qt
    // has them.
    int childCount() const override { return static_cast<int>(parts().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QObject*> all = parts();
        return index >= 0 && index < all.size() ? QAccessible::queryAccessibleInterface(all[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? static_cast<int>(parts().indexOf(child->object())) : -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (list()->view() && list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
    QString value() const
    {
        return list()->isEditable() && list()->lineEdit() ? list()->lineEdit()->text() : list()->currentText();
    }

    // The name the window gave it, else the label whose buddy it is.
    QString name() const
    {
        if (!list()->accessibleName().isEmpty())
            return list()->accessibleName();
        const auto labels = list()->window()->findChildren<QLabel*>();
        for (const QLabel* label : labels)
            if (label->buddy() == list())
                return withoutAccessKey(label->text());
        return {};
    }

    QList<QObject*> parts() const
    {
        QList<QObject*> out;
        if (list()->view())
            out << list()->view();
        if (list()->isEditable() && list()->lineEdit())
            out << list()->lineEdit();
        return out;
    }
};

// A tab strip's page stack, heard as a plain container: the tab strip and
// the page are heard, the stack between them is not. Its children are its
// pages in tab order, as Qt gives them.
class AccessiblePageStack : public QAccessibleWidget {
public:
    explicit AccessiblePageStack(QStackedWidget* stack) : QAccessibleWidget(stack, QAccessible::Client) { }

    int childCount() const override { return stack()->count(); }
    QAccessibleInterface* child(int index) const override
    {
        QWidget* page = stack()->widget(index);
        return page ? QAccessible::queryAccessibleInterface(page) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() && child->object()->isWidgetType()
            ? stack()->indexOf(static_cast<QWidget*>(child->object()))
            : -1;
    }

private:
    QStackedWidget* stack() const { return static_cast<QStackedWidget*>(widget()); }
};

QAccessibleInterface* kestrelInterface(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("QComboBox"))
        return new AccessibleList(static_cast<QComboBox*>(object));
    if (className == QLatin1String("QStackedWidget") &&
        qobject_cast<QTabWidget*>(static_cast<QWidget*>(object)->parentWidget()))
        return new AccessiblePageStack(static_cast<QStackedWidget*>(object));
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(&kestrelInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace kestrel::gui
