// The Scopes page, driven as a user drives it: the risetime and impedance
// rules and the field filters. The rules' every case is tested on the
// core's functions; this shows the controls bound to them.
#include "support/window_fixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

namespace kestrel::test {
namespace {

using PagesTest = WindowTest;

TEST_F(PagesTest, RisetimeAndImpedanceRules)
{
    start();
    find<QTabWidget>("Main_TabStrip")->setCurrentIndex(1);
    settle();
    auto* risetime = find<QLineEdit>("Risetime");
    EXPECT_FALSE(risetime->isEnabled());
    EXPECT_EQ(risetime->palette().color(QPalette::Disabled, QPalette::Base), QColor(57, 198, 222));

    click("chk_Risetime");
    EXPECT_TRUE(risetime->isEnabled());
    EXPECT_EQ(risetime->text(), "50");
    EXPECT_EQ(risetime->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));
    risetime->setFocus();
    risetime->selectAll();
    QTest::keyClicks(risetime, "3.5x"); // whole nanoseconds only
    EXPECT_EQ(risetime->text(), "35");
    click("chk_Risetime");
    EXPECT_EQ(risetime->text(), "");

    auto* impedance = find<QAbstractButton>("chk_Impedance");
    auto* standard = find<QComboBox>("ScopeReference");
    EXPECT_FALSE(impedance->isEnabled()); // 7300 - 300 Mhz
    choose(standard, "7320 - 600 Mhz");
    EXPECT_TRUE(impedance->isEnabled());
    click("chk_Impedance");
    EXPECT_EQ(find<QLineEdit>("Capacitance")->text(), "13");
    EXPECT_TRUE(find("CapAccuracy")->isEnabled());
    // The standard already chosen, chosen again from the opened list: that
    // choice removes the tick too.
    standard->showPopup();
    QTest::keyClick(standard->view(), Qt::Key_Return);
    WindowTest::settle();
    EXPECT_FALSE(impedance->isChecked());
    EXPECT_FALSE(inputs().scope.impedanceTest);
    click("chk_Impedance");
    EXPECT_TRUE(impedance->isChecked());

    choose(standard, "8240 - 1 Channel"); // a new standard removes the tick
    EXPECT_FALSE(impedance->isChecked());
    EXPECT_EQ(find<QLineEdit>("Capacitance")->text(), "");
    EXPECT_FALSE(find("CapAccuracy")->isEnabled());

    auto* vertical = find<QLineEdit>("VerticalAccuracy");
    vertical->setFocus();
    vertical->selectAll();
    QTest::keyClicks(vertical, "a1.5b");
    EXPECT_EQ(vertical->text(), "1.5");
    EXPECT_EQ(inputs().scope.verticalAccuracy, "1.5");
    QLineEdit* bandwidth = find<QComboBox>("Bandwidth")->lineEdit();
    bandwidth->setFocus();
    bandwidth->selectAll();
    QTest::keyClicks(bandwidth, "35.0");
    EXPECT_EQ(inputs().scope.bandwidth, "350");
}

} // namespace
} // namespace kestrel::test
