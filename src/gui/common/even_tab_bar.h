#pragma once
// Tab bars that cut their tabs short evenly. When a translation makes the
// tabs wider than their bar, Qt takes the same number of pixels off every
// tab, so a short tab shrinks to a letter or two while a long one keeps most
// of its text ("Gleichspann…" beside "Frequ…"). Here the tabs share the
// room instead: every tab is at most one common width, the widest that lets
// them all fit, so a short tab stays whole and the long ones are cut alike.
#include <QTabBar>
#include <QTabWidget>

namespace kestrel::gui {

class EvenTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

    // What the bar asks for is the room of every tab whole, so that a
    // wider window shows them whole again.
    QSize sizeHint() const override;

protected:
    QSize tabSizeHint(int index) const override;

private:
    // The common width for the bar's present width; INT_MAX when every
    // tab fits whole.
    int commonWidth() const;
};

// A tab widget whose tab bar is an EvenTabBar.
class EvenTabWidget : public QTabWidget {
public:
    explicit EvenTabWidget(QWidget* parent = nullptr);
};

} // namespace kestrel::gui
