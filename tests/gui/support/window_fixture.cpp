#include "support/window_fixture.h"

#include "core/app/kestrel_settings.h"
#include "core/base/profile_file.h"
#include "core/base/text_util.h"
#include "gui/common/background_worker.h"
#include "gui/grid/spec_frame.h"
#include "gui/grid/spec_grid.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>

#include <fstream>
#include <sstream>

namespace kestrel::test {

void WindowTest::start(const std::string& ini, int lcid, const std::string& commandLine)
{
    std::ifstream in(std::string(KESTREL_SOURCE_DIR) + "/data/demo-tessel/tessel.ini.in");
    std::stringstream tessel;
    tessel << in.rdbuf();
    dir.write(
        "tessel.ini", replaceAll(tessel.str(), "@TESSEL_DIR@", std::string(KESTREL_SOURCE_DIR) + "/data/demo-tessel"));
    if (!ini.empty())
        dir.write("Kestrel.INI", ini);

    const StartUpEnvironment environment{lcid, lcid, dir.path(), {}};
    document = std::make_unique<gui::Document>(startUp(commandLine, environment, sink));
    sink.setTexts(document->texts());
    window = std::make_unique<gui::MainWindow>(*document);
    sink.setParent(window.get());
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    settle();
}

void WindowTest::TearDown()
{
    if (window && window->isVisible())
        closeWindow();
    window.reset();
    document.reset();
}

void WindowTest::closeWindow(QMessageBox::StandardButton answer)
{
    if (document->isModified())
        answerer.answerMessageBoxes(answer);
    window->close();
    settle();
}

void WindowTest::settle()
{
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // closed editors
        // The preview, the coverage and the marks made on their threads.
        ASSERT_TRUE(gui::BackgroundWorker::waitForAll());
    }
}

void WindowTest::clickCell(int row, int column)
{
    gui::SpecGridView* grid = window->grid();
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    settle();
}

QLineEdit* WindowTest::startTyping(int row, int column, const QString& text)
{
    clickCell(row, column);
    QTest::keyClicks(window->grid(), text.left(1));
    QLineEdit* editor = window->grid()->openEditor();
    EXPECT_NE(editor, nullptr);
    if (editor)
        QTest::keyClicks(editor, text.mid(1));
    return editor;
}

QLineEdit* WindowTest::typeInCell(int row, int column, const QString& text)
{
    QLineEdit* editor = startTyping(row, column, text);
    if (!editor)
        return nullptr;
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    return window->findChild<QLineEdit*>(QStringLiteral("MeterSpecGrid_Editor"));
}

QString WindowTest::cell(int row, int column) const
{
    return QString::fromStdString(document->currentTable().cell(row, column));
}

void WindowTest::selectFunction(MeterFunction f)
{
    auto* tabs = window->findChild<QTabBar*>(QStringLiteral("Meter_Function_TabStrip"));
    ASSERT_NE(tabs, nullptr);
    const int index = static_cast<int>(functionIndex(f));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    settle();
}

void WindowTest::click(const char* name)
{
    auto* button = find<QAbstractButton>(name);
    if (!button)
        return;
    // Check boxes and option buttons take clicks on their box and caption
    // only: click the box.
    const bool box = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, box ? QPoint(8, button->height() / 2) : button->rect().center());
    settle();
}

void WindowTest::shortcut(QKeyCombination keys)
{
    // A message box may have taken the activation with it.
    QApplication::setActiveWindow(window.get());
    QTest::keySequence(window.get(), QKeySequence(keys));
    settle();
}

std::string WindowTest::iniValue(const std::string& key) const
{
    return ProfileFile(document->session().kestrelIniPath()).readString(kKestrelSection, key, "<none>", 256);
}

} // namespace kestrel::test
