// Create in the window: the clipboard with Ctrl held (the same bytes the
// command line writes), the viewer without, and the messages when nothing
// or only part of a procedure could be made.
#include "gui/create_delivery.h"

#include "cli/command.h"
#include "core/app/session.h"
#include "core/app/spec_file.h"
#include "gui/procedure_viewer.h"
#include "support/modal_answerer.h"
#include "support/test_scratch_dir.h"
#include "support/viewer_fixture.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include <sstream>

namespace kestrel {
namespace {

class CreateDeliveryTest : public test::ViewerFixture {
protected:
    CreateDeliveryTest()
    {
        configDir.write("tessel.ini", "[startup]\naccdir=" + demo("acc") + "\npicdir=" + demo("pics") +
                                          "\nhelpdir=" + demo("help") + "\nconfig=" + demo("config/instruments.cfg") +
                                          "\n");
        StartUpEnvironment environment;
        environment.configDir = configDir.path();
        session = startUp("", environment, sink);
        window.resize(300, 100);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid);
        layout->addWidget(button);
        window.show();
        QObject::connect(button, &QPushButton::clicked, [this] {
            createAndDeliver(inputs, context(), {button, grid, &window, false});
        });
    }
    static std::string demo(const std::string& folder)
    {
        return test::demoTessel(QString::fromStdString(folder)).toStdString();
    }
    // The inputs of a specification file as the window holds them after
    // start-up, with the header's date fixed.
    void load(const std::string& json)
    {
        SpecFileResult read = readSpecFile(json, session->locale.decimalSeparator);
        ASSERT_TRUE(read.inputs) << read.error;
        inputs = std::move(*read.inputs);
        inputs.decimalSeparator = session->locale.decimalSeparator;
        inputs.has7625 = session->tessel.has7625;
        inputs.has3711 = session->tessel.has3711;
        inputs.headerDate = session->headerDate({2026, 12, 5});
    }
    std::string cli(const std::vector<std::string>& args)
    {
        std::ostringstream out, err;
        EXPECT_EQ(cli::run(args, out, err), 0) << err.str();
        return out.str();
    }

    test::ScratchDir configDir;
    std::unique_ptr<Session> session;
    ProcedureInputs inputs;
    QWidget window;
    QLineEdit* grid = new QLineEdit(&window);
    QPushButton* button = new QPushButton(QStringLiteral("&Create"), &window);
    test::ModalAnswerer answerer;
};

TEST_F(CreateDeliveryTest, CtrlPutsTheCommandLinesBytesOnTheClipboard)
{
    const std::string json = cli({"sample", "orvik4919"});
    const auto file = configDir.write("orvik4919.kestrel.json", json);
    const std::string expected =
        cli({"generate", file.string(), "--date", "2026-12-05", "--config-dir", configDir.path().string()});
    load(json);
    QGuiApplication::clipboard()->clear();
    const QString faceBefore = button->styleSheet();
    QString faceDuring;
    QTimer::singleShot(100, [&] { faceDuring = button->styleSheet(); });
    QTest::mouseClick(button, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(faceDuring.contains("rgb(0, 255, 0)")) << faceDuring.toStdString();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), expected);
    EXPECT_EQ(button->styleSheet(), faceBefore);
    EXPECT_EQ(window.focusWidget(), grid);
    EXPECT_TRUE(sink.shown.empty());
    QTest::mouseClick(grid, Qt::LeftButton); // Ctrl let go, for the tests after this one
    EXPECT_FALSE(QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier));
}

TEST_F(CreateDeliveryTest, WithoutCtrlTheViewerShowsTheProcedure)
{
    load(cli({"sample", "agilent34401"}));
    QString first;
    answerer.handleNextModal([&](QWidget* modal) {
        auto* viewer = qobject_cast<gui::ProcedureViewer*>(modal);
        ASSERT_NE(viewer, nullptr);
        first = viewer->textBox()->document()->firstBlock().text();
        viewer->reject();
    });
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(first.startsWith("INSTRUMENT:")) << first.toStdString();
    EXPECT_EQ(window.focusWidget(), grid);
}

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
    answerer.handleNextModal([&](QWidget* modal) {
        auto* viewer = qobject_cast<gui::ProcedureViewer*>(modal);
        ASSERT_NE(viewer, nullptr);
        last = viewer->textBox()->document()->lastBlock().previous().text();
        viewer->reject();
    });
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[1].text, "Procedure Error: \r\n9\r\nSubscript out of range");
    EXPECT_TRUE(last.startsWith("  2.003  7600")) << last.toStdString();
}

} // namespace
} // namespace kestrel
