// The Connection tab of the DMM page, driven as a user drives it.
#include "support/window_fixture.h"

#include <QTabWidget>
#include <QTableWidget>

namespace kestrel::test {
namespace {

using PagesTest = WindowTest;

// The Connection page lists the records attached while it was hidden once
// it is shown.
TEST_F(PagesTest, TheConnectionPageShowsTheRecordsAttachedWhileItWasHidden)
{
    start();
    ConnectionStore records;
    records.put({MeterFunction::Dcv, 0, std::string("leads.bmp"), std::string("Connect the leads\r\nto the UUT")});
    records.put({MeterFunction::Acv, 3, std::nullopt, std::string("Set AC volts")});
    document->setConnections(records);
    settle();
    find<QTabWidget>("Meter_TabStrip")->setCurrentIndex(1);
    settle();
    auto* table = find<QTableWidget>("ConnectionList");
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 2)->text(), "leads.bmp");
    EXPECT_EQ(table->item(0, 3)->text(), "Connect the leads\nto the UUT");
    EXPECT_EQ(table->item(1, 1)->text(), "4"); // numbered as the grid shows it

    // While it is on show it follows at once.
    document->undoStack().undo();
    settle();
    EXPECT_EQ(table->rowCount(), 0);
}

} // namespace
} // namespace kestrel::test
