// Create's delivery when there is nothing to deliver, or only part of a
// procedure: the messages come first, with the normal pointer. (The
// clipboard and the viewer from the main window: secondary_windows_test.)
#include "gui/viewer/create_delivery.h"

#include "gui/viewer/procedure_viewer.h"
#include "support/modal_answerer.h"
#include "support/viewer_fixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace kestrel {
namespace {

class CreateDeliveryTest : public test::ViewerFixture {
protected:
    CreateDeliveryTest()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid);
        layout->addWidget(button);
        window.show();
        QObject::connect(button, &QPushButton::clicked, [this] {
            createAndDeliver(inputs, context(), {button, grid, &window, false});
        });
    }

    ProcedureInputs inputs;
    QWidget window;
    QLineEdit* grid = new QLineEdit(&window);
    QPushButton* button = new QPushButton(QStringLiteral("&Create"), &window);
    test::ModalAnswerer answerer;
};

TEST_F(CreateDeliveryTest, NothingSpecifiedSaysSoAndAFailedGeneratorStillDelivers)
{
    inputs.headerDate = "05-Dec-26";
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "Could not create the procedure.\r\nBe sure that specifications have been entered.");
    EXPECT_EQ(sink.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(window.focusWidget(), grid);

    // The 76xx has no fixed resistance for a negative value: its message,
    // then the text written before it.
    inputs.selections.reference = "7600";
    inputs.meter.table(MeterFunction::Dcv).setCell(RowRange, 0, "2");
    inputs.meter.table(MeterFunction::Ohm).setCell(RowRange, 0, "100");
    inputs.meter.table(MeterFunction::Ohm).setCell(RowRange, 1, "-5");
    QString last;
    answerer.handleNext<gui::ProcedureViewer>(
        [&](gui::ProcedureViewer& viewer) { last = viewer.textBox()->document()->lastBlock().previous().text(); });
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[1].text, "Procedure Error: \r\n9\r\nSubscript out of range");
    EXPECT_TRUE(last.startsWith("  2.003  7600")) << last.toStdString();
}

} // namespace
} // namespace kestrel
