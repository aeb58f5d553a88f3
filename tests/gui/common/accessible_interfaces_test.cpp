// Lists and tab pages as a screen reader meets them: every list heard by
// its label and its value, a change by the keyboard heard as a new value,
// and the grid reached without unnamed containers read out on the way.
#include "gui/common/accessible_interfaces.h"

#include "support/accessibility_events.h"
#include "support/heard_name.h"
#include "support/window_fixture.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QTabWidget>

namespace kestrel::test {
namespace {

using AccessibleInterfacesTest = WindowTest;

// The value as a screen reader asks it: as the value (Windows), and as the
// list's text (Orca on Linux, whose bridge has no value for a list); both
// must agree.
QString heardValue(QWidget* control)
{
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(control);
    const QString value = heard->text(QAccessible::Value);
    QAccessibleTextInterface* text = heard->textInterface();
    if (!text)
        return "(no text) " + value;
    const QString shown = text->text(0, text->characterCount());
    return shown == value ? value : "(text " + shown + ") " + value;
}

struct ListCase {
    const char* list;
    int mainTab;  // 0 DMMs, 1 Scopes
    int innerTab; // the page's own tab
    const char* name;
};

// Each list, with its label's text (or, beside no label, the name it is
// given) in English.
constexpr ListCase kLists[] = {
    {"Reference", 0, 0, "Cal Standard"},
    {"Meas_Unc_No_Readings", 0, 2, "# Measurements"},
    {"ScopeReference", 1, 0, "Cal Standard"},
    {"VertGain1", 1, 0, "Sensitivity"},
    {"Sweep2", 1, 0, "Slowest sweep speed"},
    {"NumChannels", 1, 0, "# Channels"},
    {"Bandwidth", 1, 0, "Bandwidth"},
};

TEST_F(AccessibleInterfacesTest, ListsAreHeardByLabelAndValueAndADownKeyIsHeard)
{
    start();
    AccessibilityEvents heard;
    for (const ListCase& c : kLists) {
        SCOPED_TRACE(c.list);
        find<QTabWidget>("Main_TabStrip")->setCurrentIndex(c.mainTab);
        find<QTabWidget>(c.mainTab == 0 ? "Meter_TabStrip" : "Scope_TabStrip_2")->setCurrentIndex(c.innerTab);
        settle();
        auto* list = find<QComboBox>(c.list);
        list->setFocus();
        settle();
        EXPECT_EQ(heardName(list), c.name);
        EXPECT_EQ(heardValue(list), list->currentText());
        if (list->isEditable())
            continue; // Down in a typed list goes through its entries too, tested below
        const int before = list->currentIndex();
        heard.clear();
        QTest::keyClick(list, before + 1 < list->count() ? Qt::Key_Down : Qt::Key_Up);
        settle();
        ASSERT_NE(list->currentIndex(), before);
        EXPECT_TRUE(list->hasFocus()) << "the focus stays on the list";
        EXPECT_EQ(heardName(list), c.name) << "the name is no value";
        EXPECT_EQ(heardValue(list), list->currentText());
        const auto changes = heard.about(list, QAccessible::ValueChanged);
        EXPECT_FALSE(changes.empty()) << "a change is heard";
        EXPECT_EQ(changes.empty() ? QString() : changes.back().value, list->currentText());
    }
}

TEST_F(AccessibleInterfacesTest, ListNamesFollowTheLanguage)
{
    dir.write("Kestrel_1031.MDB", "Kestrel localization 1\n212\tKalibrator\n1203\tEmpfindlichkeit\n");
    start({}, 1031);
    auto* reference = find<QComboBox>("Reference");
    auto* gain = find<QComboBox>("VertGain1");
    EXPECT_EQ(heardName(reference), "Kalibrator");
    EXPECT_EQ(heardName(gain), "Empfindlichkeit");
    find<QAction>("mnu_Use_English_0")->trigger();
    settle();
    EXPECT_EQ(heardName(reference), "Cal Standard");
    EXPECT_EQ(heardName(gain), "Sensitivity");
    EXPECT_EQ(heardValue(reference), "3302");
    find<QAction>("mnu_Use_English_1")->trigger();
    settle();
    EXPECT_EQ(heardName(reference), "Kalibrator");
}

// On the way from the window to the grid a screen reader reads every
// container that is not a plain one: the tab strips by their names, no
// unnamed "layered pane", and the grid's own name once.
TEST_F(AccessibleInterfacesTest, TheGridIsReachedThroughNamedContainersOnly)
{
    start();
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(window->grid());
    ASSERT_NE(grid, nullptr);
    const QString gridName = grid->text(QAccessible::Name);
    EXPECT_EQ(gridName, "Meter specification");
    QStringList named;
    for (QAccessibleInterface* up = grid->parent(); up && up->role() != QAccessible::Application; up = up->parent()) {
        const QString name = up->text(QAccessible::Name);
        EXPECT_NE(up->role(), QAccessible::LayeredPane) << up->object()->objectName().toStdString();
        if (name.isEmpty())
            EXPECT_EQ(up->role(), QAccessible::Client) << up->object()->objectName().toStdString();
        else
            named << name;
    }
    EXPECT_EQ(named, (QStringList{"DMM's", "Unit under test", "Kestrel"}));
    EXPECT_FALSE(named.contains(gridName));

    // The pages in tab order: a search of the tree meets the page on show
    // (the DMM's Options/Misc) before the hidden one (the Scopes').
    for (const char* name : {"Main_TabStrip", "Meter_TabStrip", "Scope_TabStrip_2"}) {
        auto* tabs = find<QTabWidget>(name);
        QAccessibleInterface* firstPage = QAccessible::queryAccessibleInterface(tabs->widget(0));
        QAccessibleInterface* stack = firstPage->parent();
        ASSERT_EQ(stack->childCount(), tabs->count()) << name;
        for (int i = 0; i < tabs->count(); ++i) {
            EXPECT_EQ(stack->child(i)->object(), tabs->widget(i)) << name << " " << i;
            EXPECT_EQ(stack->indexOfChild(stack->child(i)), i) << name << " " << i;
        }
    }
}

} // namespace
} // namespace kestrel::test
