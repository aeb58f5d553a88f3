#include "support/window_fixture.h"

#include "core/app/kestrel_settings.h"
#include "core/base/profile_file.h"
#include "core/base/text_util.h"
#include "gui/common/background_worker.h"
#include "gui/grid/spec_frame.h"
#include "gui/grid/spec_grid.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTabBar>
#include <QWindow>

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

void WindowTest::choose(QComboBox* box, const QString& text)
{
    box->setFocus();
    const int target = box->findText(text);
    ASSERT_GE(target, 0) << text.toStdString();
    while (box->currentIndex() < target)
        QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > target)
        QTest::keyClick(box, Qt::Key_Up);
    settle();
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

void WindowTest::typeAhead(const QString& script)
{
    queueKeys(script);
    settle();
}

void WindowTest::queueKeys(const QString& script)
{
    static const QHash<QString, QKeyCombination> named{{"Enter", Qt::Key_Return}, {"Tab", Qt::Key_Tab},
        {"Backtab", Qt::SHIFT | Qt::Key_Backtab}, {"Up", Qt::Key_Up}, {"Down", Qt::Key_Down}, {"Left", Qt::Key_Left},
        {"Right", Qt::Key_Right}, {"Escape", Qt::Key_Escape}};
    const auto queue = [this](QKeyCombination keys, const QString& text) {
        // Posted to the window, not to a control: the window hands each key
        // to the focus as it is then, as it does with the keyboard's.
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(
                window->windowHandle(), new QKeyEvent(type, keys.key(), keys.keyboardModifiers(), text));
    };
    for (const QString& word : script.split(u' ', Qt::SkipEmptyParts)) {
        if (const auto key = named.constFind(word); key != named.constEnd()) {
            queue(*key,
                key->key() == Qt::Key_Return    ? QStringLiteral("\r")
                    : key->key() == Qt::Key_Tab ? QStringLiteral("\t")
                                                : QString());
            continue;
        }
        for (const QChar ch : word) // printable ASCII: the key's code is the character's
            queue(QKeyCombination(static_cast<Qt::Key>(ch.toUpper().unicode())), QString(ch));
    }
}

void WindowTest::queueClick(int row, int column)
{
    QWidget* viewport = window->grid()->viewport();
    const QPoint at = window->grid()->visualRect(window->grid()->model()->index(row, column)).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(window->windowHandle(),
            new QMouseEvent(type, viewport->mapTo(window.get(), at), viewport->mapToGlobal(at), Qt::LeftButton,
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier));
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
