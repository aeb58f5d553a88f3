#include "gui/common/even_tab_bar.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace kestrel::gui {

QSize EvenTabBar::sizeHint() const
{
    QSize hint = QTabBar::sizeHint();
    int whole = 0;
    for (int i = 0; i < count(); ++i)
        if (isTabVisible(i))
            whole += QTabBar::tabSizeHint(i).width();
    hint.setWidth(std::max(hint.width(), whole));
    return hint;
}

QSize EvenTabBar::tabSizeHint(int index) const
{
    QSize hint = QTabBar::tabSizeHint(index);
    // Unelided bars (as a window measures its natural size) want every
    // tab whole; the tabs of a side bar stand one below the other.
    if (elideMode() == Qt::ElideNone || shape() != QTabBar::RoundedNorth)
        return hint;
    hint.setWidth(std::min(hint.width(), commonWidth()));
    return hint;
}

int EvenTabBar::commonWidth() const
{
    std::vector<int> widths;
    for (int i = 0; i < count(); ++i)
        if (isTabVisible(i))
            widths.push_back(QTabBar::tabSizeHint(i).width());
    std::sort(widths.begin(), widths.end());
    // Narrowest first: a tab narrower than an even share of what is left
    // keeps its width and leaves the rest to the wider ones.
    int left = width();
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const int share = left / static_cast<int>(widths.size() - i);
        if (widths[i] > share)
            return std::max(share, 1);
        left -= widths[i];
    }
    return INT_MAX;
}

EvenTabWidget::EvenTabWidget(QWidget* parent) : QTabWidget(parent) { setTabBar(new EvenTabBar(this)); }

} // namespace kestrel::gui
