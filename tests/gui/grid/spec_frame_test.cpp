// The specifications frame above the grid, driven as a user drives it: the
// Reference change refilling the sensor lists, and the sample buttons.
#include "support/window_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>

namespace kestrel::test {
namespace {

using PagesTest = WindowTest;

QStringList items(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

TEST_F(PagesTest, ReferenceChangeRefillsTheSensorLists)
{
    start();
    auto* reference = find<QComboBox>("Reference");
    auto* tc = find<QComboBox>("TCtypes");
    auto* rtd = find<QComboBox>("RTDtypes");
    EXPECT_EQ(items(tc).size(), 11);

    choose(tc, "K");
    choose(reference, "6400");
    EXPECT_EQ(items(tc).size(), 10);
    EXPECT_EQ(items(rtd), (QStringList{"100 ohm Pt 385", "100 ohm Pt 3926"}));
    EXPECT_EQ(tc->currentText(), "J");
    EXPECT_EQ(inputs().selections.reference, "6400");
    EXPECT_TRUE(reference->hasFocus()); // the arrows go on through the list
}

TEST_F(PagesTest, SamplesReplaceEverythingAndMarkTheirButton)
{
    start();
    typeInCell(0, 0, "7");
    find<QLineEdit>("ProcName")->setText("mine");

    // Unsaved changes are asked about first; Cancel keeps them.
    answerer.answerMessageBoxes(QMessageBox::Cancel);
    click("Populate34401");
    EXPECT_EQ(answerer.texts(), QStringList{"Save changes to the current specification?"});
    EXPECT_EQ(cell(0, 0), "7");

    answerer.answerMessageBoxes(QMessageBox::No);
    click("Populate34401");
    EXPECT_EQ(cell(0, 0), "100.0000m");
    EXPECT_EQ(find<QLineEdit>("ProcName")->text(), "Agilent 34401 digital multimeter");
    EXPECT_EQ(find<QComboBox>("Reference")->currentText(), "7600");
    EXPECT_TRUE(find<QAbstractButton>("Populate34401")->font().bold());

    answerer.answerMessageBoxes(QMessageBox::No);
    click("Populate_28_7300");
    EXPECT_EQ(document->currentFunction(), MeterFunction::Tc);
    EXPECT_EQ(find<QComboBox>("TCtypes")->currentText(), "K");
    EXPECT_TRUE(inputs().meter.table(MeterFunction::Dcv).cell(0, 0).empty());
    EXPECT_TRUE(find<QAbstractButton>("Populate_28_7300")->font().bold());
    EXPECT_FALSE(find<QAbstractButton>("Populate34401")->font().bold());

    // Undo brings the 34401 back.
    shortcut(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(inputs().meter.table(MeterFunction::Dcv).cell(0, 0), "100.0000m");
    EXPECT_TRUE(find<QAbstractButton>("Populate34401")->font().bold());
}

} // namespace
} // namespace kestrel::test
