#include "gui/common/option_group_keys.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>

#include <vector>

namespace kestrel::gui {
namespace {

class OneChoice : public QObject {
public:
    OneChoice(const QList<QAbstractButton*>& options, QObject* parent) : QObject(parent)
    {
        for (QAbstractButton* option : options) {
            options_.emplace_back(option);
            option->installEventFilter(this);
            connect(option, &QAbstractButton::toggled, this, &OneChoice::placeTabStop);
        }
        placeTabStop();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::EnabledChange) {
            placeTabStop();
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        int step = 0;
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Right)
            step = 1;
        else if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Left)
            step = -1;
        if (step == 0)
            return false;
        choose(static_cast<QAbstractButton*>(watched), step);
        return true;
    }

private:
    static bool usable(const QAbstractButton* option) { return option && option->isEnabled() && option->isVisible(); }

    void choose(QAbstractButton* from, int step)
    {
        const int count = static_cast<int>(options_.size());
        int at = 0;
        while (at < count && options_[static_cast<std::size_t>(at)] != from)
            ++at;
        for (int i = 1; i < count; ++i) {
            QAbstractButton* next = options_[static_cast<std::size_t>(((at + step * i) % count + count) % count)];
            if (!usable(next))
                continue;
            next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            if (!next->isChecked())
                next->click(); // a choice as the user's click makes it
            // Choosing may send the focus on (DISP to its text): the
            // arrows stay in the group.
            next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }

    // Only the chosen button is a Tab stop; the others keep the click.
    void placeTabStop()
    {
        QAbstractButton* stop = nullptr;
        for (QAbstractButton* option : options_)
            if (option && option->isChecked() && option->isEnabled())
                stop = option;
        for (QAbstractButton* option : options_)
            if (!stop && option && option->isEnabled())
                stop = option;
        for (QAbstractButton* option : options_)
            if (option)
                option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }

    std::vector<QPointer<QAbstractButton>> options_;
};

} // namespace

void makeOneChoice(const QList<QAbstractButton*>& options)
{
    if (!options.isEmpty())
        new OneChoice(options, options.front());
}

} // namespace kestrel::gui
