// Option buttons that are one choice, driven by Tab and the arrows as a
// keyboard user drives them: the Options/Misc frames (the wizard's PIC,
// DISP and Both are tested with the wizard).
#include "gui/common/option_group_keys.h"

#include "support/accessibility_events.h"
#include "support/window_fixture.h"

#include <QAbstractButton>
#include <QTabWidget>

namespace kestrel::test {
namespace {

class OptionGroupKeysTest : public WindowTest {
protected:
    void showOptions()
    {
        start();
        find<QTabWidget>("Meter_TabStrip")->setCurrentIndex(2);
        settle();
    }
    QAbstractButton* option(const char* prefix, int i) const
    {
        return find<QAbstractButton>(QStringLiteral("%1_%2").arg(QLatin1String(prefix)).arg(i).toLatin1().constData());
    }
    static void key(Qt::Key k)
    {
        QTest::keyClick(QApplication::focusWidget(), k);
        settle();
    }
    static QString focused() { return QApplication::focusWidget()->objectName(); }
};

TEST_F(OptionGroupKeysTest, TabEntersAGroupAtItsChosenButtonFromEitherSide)
{
    showOptions();
    ASSERT_TRUE(option("DataEntry", 2)->isChecked()); // Keyboard
    find("Ask_HLP_2")->setFocus();
    settle();
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), "DataEntry_2");
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), "Picture5") << "one Tab stop for the group";
    key(Qt::Key_Backtab);
    EXPECT_EQ(focused(), "DataEntry_2");

    // A choice made elsewhere (here the document's) moves the Tab stop.
    document->editOptions([](ProcedureOptions& o) { o.postTestWindow = PostTestWindow::Never; });
    settle();
    find("Ask_HLP_0")->setFocus();
    settle();
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), "PauseBetweenTests_2");
}

TEST_F(OptionGroupKeysTest, ArrowsChooseWithTheFocusAndWrapRound)
{
    showOptions();
    option("DataEntry", 2)->setFocus();
    settle();
    AccessibilityEvents heard;
    struct Step {
        Qt::Key key;
        int chosen;
        DataEntry entry;
    };
    // Slew, Go-No-Go, Keyboard, All: Down from the last comes to the first.
    for (const Step& s : {Step{Qt::Key_Down, 3, DataEntry::All}, Step{Qt::Key_Right, 0, DataEntry::Slew},
             Step{Qt::Key_Up, 3, DataEntry::All}, Step{Qt::Key_Left, 2, DataEntry::Keyboard}}) {
        SCOPED_TRACE(s.chosen);
        heard.clear();
        key(s.key);
        EXPECT_TRUE(option("DataEntry", s.chosen)->isChecked());
        EXPECT_TRUE(option("DataEntry", s.chosen)->hasFocus());
        EXPECT_EQ(inputs().options.dataEntry, s.entry);
        EXPECT_FALSE(heard.about(option("DataEntry", s.chosen), QAccessible::Focus).empty());
    }
}

} // namespace
} // namespace kestrel::test
