// Every window stays on the screen whatever length its texts have: run
// once on a 1,024 x 768 screen and once on a 1,600 x 1,200 screen (the
// offscreen platform's screen is set by the test's configuration), with
// the German translation and with a translation whose every text is 128
// characters long. The windows' working parts keep their room too: the
// accuracy viewer's text, the Scopes page's buttons and fields, and the
// localization editor's Local Text column.
#include "core/i18n/english_texts.h"
#include "core/i18n/localization_file.h"
#include "gui/about/about_dialog.h"
#include "gui/grid/spec_grid.h"
#include "gui/help/accuracy_file_viewer.h"
#include "gui/help/help_viewer.h"
#include "gui/localization/localization_editor.h"
#include "gui/main/secondary_windows.h"
#include "gui/viewer/procedure_viewer.h"
#include "gui/wizard/connection_wizard.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLayoutItem>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolTip>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace kestrel::test {
namespace {

// The German translation of the window's texts that ships with Kestrel.
std::string germanTranslation()
{
    std::ifstream in(KESTREL_SOURCE_DIR "/data/localization/Kestrel_1031.MDB", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every text 128 characters long, in words a window could wrap.
std::string longTranslation()
{
    std::string file = std::string(kLocalizationHeader) + "\n";
    for (const EnglishText& text : englishTexts()) {
        std::string local;
        while (local.size() < kMaxLocalTextLength)
            local += "Lange Übersetzung " + std::to_string(text.number) + " ";
        // Whole characters only: the umlaut is two bytes.
        std::size_t cut = 0;
        for (std::size_t count = 0; cut < local.size() && count < kMaxLocalTextLength; ++count)
            cut += (static_cast<unsigned char>(local[cut]) >= 0xC0) ? 2 : 1;
        file += std::to_string(text.number) + "\t" + local.substr(0, cut) + "\n";
    }
    return file;
}

class WindowFit : public WindowTest {
protected:
    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    void startWith(const std::string& translation)
    {
        dir.write("Kestrel_1031.MDB", translation);
        start({}, 1031);
        new gui::SecondaryWindows(*window);
        settle();
    }

    // The controls that ask for the most width, to tell which one pushes
    // a window off the screen.
    static std::string widest(const QWidget& window)
    {
        // The width a layout gives a control at least.
        const auto least = [](QWidget* control) { return QWidgetItem(control).minimumSize().width(); };
        QList<QWidget*> controls = window.findChildren<QWidget*>();
        std::sort(controls.begin(), controls.end(), [&](QWidget* a, QWidget* b) { return least(a) > least(b); });
        std::string names;
        for (QWidget* control : controls.mid(0, 8))
            names += " " + control->objectName().toStdString() + "(" + control->metaObject()->className() + " " +
                std::to_string(least(control)) + ")";
        return names;
    }

    // The window, its frame included, lies wholly on the screen.
    static void expectOnScreen(const QWidget& shown, const char* what)
    {
        const QRect frame = shown.frameGeometry();
        EXPECT_TRUE(available().contains(frame))
            << what << " at " << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height()
            << " on " << available().width() << "x" << available().height() << "; widest:" << widest(shown);
        EXPECT_LE(shown.minimumSizeHint().width(), available().width()) << what << "; widest:" << widest(shown);
    }

    // Opens a window modally by `open` and checks it where it appears.
    // Opens a window modally by `open` and checks it where it appears, and
    // with `check` if given.
    template <class W>
    void expectOpensOnScreen(
        const char* what, const std::function<void()>& open, const std::function<void(const QWidget&)>& check = {})
    {
        bool seen = false;
        answerer.handleNext<W>([&](W& opened) {
            seen = true;
            expectOnScreen(opened, what);
            if (check)
                check(opened);
        });
        open();
        settle();
        EXPECT_TRUE(seen) << what;
    }

    // The viewer's text pane, where the files are read, has most of the
    // width: at least twice the file list's.
    static void expectTextPaneRoom(const QWidget& viewer, const char* what)
    {
        const int list = viewer.findChild<QListWidget*>(QStringLiteral("File1"))->width();
        const int text = viewer.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->width();
        EXPECT_GE(text, 2 * list) << what << ": the list " << list << " px, the text " << text << " px";
    }

    // The column the translator types in is the widest of the editor's.
    static void expectLocalTextRoom(const QWidget& editor)
    {
        const QHeaderView* header = editor.findChild<QTableView*>(QStringLiteral("Grid"))->horizontalHeader();
        for (int column = 0; column < 2; ++column)
            EXPECT_GE(header->sectionSize(2), header->sectionSize(column))
                << "the Local Text column is " << header->sectionSize(2) << " px, column " << column << " "
                << header->sectionSize(column) << " px";
    }

    // The Scopes page: each of its picture buttons shows its whole picture,
    // so Help and Acc are told apart however their captions are cut, and
    // each field shows its whole value.
    void expectScopesPageReadable()
    {
        find<QTabWidget>("Main_TabStrip")->setCurrentIndex(1);
        settle();
        for (const char* name : {"ScopeHelp", "cmd_Scope_Acc"}) {
            auto* button = find<QPushButton>(name);
            EXPECT_TRUE(showsWholePicture(*button)) << name << " " << button->width() << " px";
        }
        for (const char* name : {"VerticalAccuracy", "TimebaseAccuracy", "Accuracy_1M_Ohm", "Accuracy_50_Ohm",
                 "Capacitance", "CapAccuracy", "Risetime"}) {
            auto* field = find<QLineEdit>(name);
            if (field->text().isEmpty())
                field->setText(QStringLiteral("0.01"));
            // With the caret at the end, the first character is still at
            // the field's left edge: nothing has scrolled out of sight.
            field->setCursorPosition(static_cast<int>(field->text().size()));
            EXPECT_EQ(field->cursorPositionAt(QPoint(field->contentsRect().left() + 3, field->height() / 2)), 0)
                << name << " shows less than \"" << field->text().toStdString() << "\" in " << field->width() << " px";
        }
        find<QTabWidget>("Main_TabStrip")->setCurrentIndex(0);
        settle();
    }

    // Whether every opaque pixel of the button's picture is found, as
    // drawn, somewhere on the button.
    static bool showsWholePicture(QPushButton& button)
    {
        const QImage shown = button.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage picture = button.icon()
                                   .pixmap(button.iconSize(), button.devicePixelRatioF())
                                   .toImage()
                                   .convertToFormat(QImage::Format_ARGB32);
        for (int x = 0; x + picture.width() <= shown.width(); ++x)
            for (int y = 0; y + picture.height() <= shown.height(); ++y) {
                bool same = true;
                for (int px = 0; same && px < picture.width(); ++px)
                    for (int py = 0; same && py < picture.height(); ++py) {
                        const QRgb want = picture.pixel(px, py);
                        same = qAlpha(want) != 255 || shown.pixel(x + px, y + py) == want;
                    }
                if (same)
                    return true;
            }
        return false;
    }

    void expectEveryWindowOnScreen()
    {
        expectOnScreen(*window, "the main window");
        expectScopesPageReadable();
        expectOpensOnScreen<gui::AboutDialog>("the about box", [this] { find<QAction>("mnuAbout")->trigger(); });
        expectOpensOnScreen<gui::LocalizationEditor>(
            "the localization editor", [this] { find<QAction>("mnuEditLocalization")->trigger(); },
            &expectLocalTextRoom);
        expectOpensOnScreen<gui::HelpViewer>(
            "the help viewer", [this] { click("cmd_ReferenceHelp"); },
            [](const QWidget& viewer) { expectTextPaneRoom(viewer, "the help viewer"); });
        expectOpensOnScreen<gui::AccuracyFileViewer>(
            "the accuracy viewer", [this] { click("cmd_Acc_File"); },
            [](const QWidget& viewer) { expectTextPaneRoom(viewer, "the accuracy viewer"); });
        typeInCell(0, 0, "10");
        expectOpensOnScreen<gui::ProcedureViewer>("the procedure viewer", [this] { click("Create"); });
        expectOpensOnScreen<gui::ConnectionWizard>("the connection wizard", [this] {
            auto* header = window->grid()->specHeader();
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, header->buttonRect(0).center());
        });
    }
};

TEST_F(WindowFit, LongTranslationsKeepEveryWindowOnTheScreen)
{
    startWith(longTranslation());
    expectEveryWindowOnScreen();
    // Create stays within the window, where the user can reach it.
    auto* create = find<QPushButton>("Create");
    EXPECT_TRUE(window->rect().contains(QRect(create->mapTo(window.get(), QPoint(0, 0)), create->size())));
}

TEST_F(WindowFit, ACutCaptionShowsItsWholeTextAsTooltip)
{
    startWith(longTranslation());
    selectFunction(MeterFunction::Tc);
    auto* label = find<QLabel>("SpecLabel_7");
    ASSERT_LT(label->width(), label->sizeHint().width()) << "the label is not cut";
    QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(label, &tip);
    EXPECT_EQ(QToolTip::text(), label->text());

    // A grid row's name likewise, and the grid keeps the rest of the width.
    QHeaderView* rows = window->grid()->verticalHeader();
    const QString name = rows->model()->headerData(1, Qt::Vertical).toString();
    ASSERT_LT(rows->width(), rows->fontMetrics().horizontalAdvance(name)) << "the row name is not cut";
    EXPECT_LE(rows->width(), window->grid()->width() * 2 / 5);
    const QPoint at(4, rows->sectionViewportPosition(1) + 4);
    QHelpEvent rowTip(QEvent::ToolTip, at, rows->viewport()->mapToGlobal(at));
    QApplication::sendEvent(rows->viewport(), &rowTip);
    EXPECT_EQ(QToolTip::text(), name);
}

TEST_F(WindowFit, GermanShowsEveryFunctionTab)
{
    startWith(germanTranslation());
    expectEveryWindowOnScreen();
    // Every function tab is in sight: none hides behind scroll arrows.
    auto* functions = find<QTabBar>("Meter_Function_TabStrip");
    ASSERT_NE(functions, nullptr);
    for (int tab = 0; tab < functions->count(); ++tab)
        EXPECT_TRUE(functions->rect().contains(functions->tabRect(tab))) << functions->tabText(tab).toStdString();
}

// Tabs without the room for their text are cut alike: every cut tab has
// the same width, and a tab shown whole is no wider than a cut one (cut by
// the same number of pixels, a short tab would keep a letter or two while
// a long one kept most of its text).
TEST_F(WindowFit, GermanFunctionTabsAreCutEvenly)
{
    startWith(germanTranslation());
    auto* functions = find<QTabBar>("Meter_Function_TabStrip");
    ASSERT_NE(functions, nullptr);
    // The width each tab wants for its whole text.
    QTabBar whole;
    whole.setFont(functions->font());
    whole.setExpanding(false);
    whole.setElideMode(Qt::ElideNone);
    for (int tab = 0; tab < functions->count(); ++tab)
        whole.addTab(functions->tabText(tab));
    whole.resize(whole.sizeHint());

    std::vector<int> cut, shownWhole;
    std::string widths;
    for (int tab = 0; tab < functions->count(); ++tab) {
        const int width = functions->tabRect(tab).width();
        (width < whole.tabRect(tab).width() ? cut : shownWhole).push_back(width);
        widths += " " + functions->tabText(tab).toStdString() + "=" + std::to_string(width);
    }
    if (cut.empty())
        return; // the screen has the room for every tab
    const auto [narrowest, widest] = std::minmax_element(cut.begin(), cut.end());
    EXPECT_LE(*widest - *narrowest, 1) << widths;
    for (const int width : shownWhole)
        EXPECT_LE(width, *widest) << widths;
}

} // namespace
} // namespace kestrel::test
