// Every text a window shows comes from the text table. With a localization
// file that translates every text, whatever a window still shows in English
// escaped the table; the walks relabel the windows' newer texts like the
// oldest ones; message boxes and the search question answer in the local
// texts.
#include "core/base/text_util.h"
#include "core/i18n/english_texts.h"
#include "core/i18n/local_text_store.h"
#include "core/i18n/localization_file.h"
#include "core/i18n/text_numbers.h"
#include "gui/about/about_dialog.h"
#include "gui/common/control_texts.h"
#include "gui/common/text_pane_search.h"
#include "gui/grid/spec_grid.h"
#include "gui/help/accuracy_file_viewer.h"
#include "gui/help/help_viewer.h"
#include "gui/main/secondary_windows.h"
#include "gui/viewer/procedure_viewer.h"
#include "gui/wizard/connection_wizard.h"
#include "support/recording_sink.h"
#include "support/translated_texts.h"
#include "support/window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <functional>

namespace kestrel::test {
namespace {

// A text as a window shows it, and where.
struct Shown {
    QString where;
    QString text;
};

// Texts that hold values rather than words: the About box's version
// number, the wizard's line numbers, the procedure's column legend (the
// procedure format's own, which Tessel reads), and the signs that mark the
// credits.
bool showsValues(const QObject* control)
{
    static const QStringList names{"Version", "lbl_LineCounter", "lbl_Legend"};
    return names.contains(control->objectName());
}

// Every caption, tooltip, title, tab, menu entry, column header and field
// hint under `top`; the fields' contents are the user's data and are left
// out, as are the icon-only buttons' captions, which nobody sees.
QList<Shown> shownTexts(QWidget* top)
{
    QList<Shown> shown;
    // The table's texts have no blanks around them (a window may add one).
    const auto add = [&](const QObject* control, const char* what, const QString& text) {
        if (!text.trimmed().isEmpty() && !showsValues(control))
            shown.push_back({control->objectName() + QLatin1Char('.') + QLatin1String(what), text.trimmed()});
    };
    add(top, "windowTitle", QString(top->windowTitle()).remove(QStringLiteral("[*]")));
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    widgets.prepend(top);
    for (QWidget* widget : widgets) {
        if (widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        add(widget, "toolTip", widget->toolTip());
        if (auto* label = qobject_cast<QLabel*>(widget))
            add(label, "text", label->text());
        else if (auto* tool = qobject_cast<QToolButton*>(widget);
                 tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
            continue;
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            add(button, "text", button->text());
        else if (auto* frame = qobject_cast<QGroupBox*>(widget))
            add(frame, "title", frame->title());
        else if (auto* tabs = qobject_cast<QTabBar*>(widget))
            for (int i = 0; i < tabs->count(); ++i) {
                add(tabs->parent(), "tab", tabs->tabText(i));
                add(tabs->parent(), "tabToolTip", tabs->tabToolTip(i));
            }
        else if (auto* text = qobject_cast<QPlainTextEdit*>(widget))
            add(text, "placeholder", text->placeholderText());
        else if (auto* line = qobject_cast<QLineEdit*>(widget))
            add(line, "placeholder", line->placeholderText());
        if (auto* table = qobject_cast<QTableWidget*>(widget))
            for (int c = 0; c < table->columnCount(); ++c)
                if (const QTableWidgetItem* header = table->horizontalHeaderItem(c))
                    add(table, "header", header->text());
    }
    for (QAction* action : top->findChildren<QAction*>())
        if (!action->isSeparator())
            add(action, "text", action->text());
    return shown;
}

// The table's texts as `texts` answers them, each as a pattern in which a
// placeholder stands for any value; a window title or an accessible name
// shows a caption without its access-key mark.
QList<QRegularExpression> textPatterns(const TextLookup& texts)
{
    QList<QRegularExpression> patterns;
    QStringList forms;
    for (const EnglishText& entry : englishTexts()) {
        const QString text = QString::fromStdString(texts.gettext(entry.number));
        forms << text << gui::withoutAccessKey(text);
    }
    for (const QString& text : forms) {
        static const QRegularExpression placeholder(QStringLiteral("<[1-9]>"));
        QString pattern;
        qsizetype from = 0;
        for (auto it = placeholder.globalMatch(text); it.hasNext();) {
            const auto match = it.next();
            pattern += QRegularExpression::escape(text.mid(from, match.capturedStart() - from)) + QStringLiteral(".+");
            from = match.capturedEnd();
        }
        pattern += QRegularExpression::escape(text.mid(from));
        patterns << QRegularExpression(
            QRegularExpression::anchoredPattern(pattern), QRegularExpression::DotMatchesEverythingOption);
    }
    return patterns;
}

// What a window shows that no text of the table gives: one line each.
QStringList untranslated(QWidget* top, const QList<QRegularExpression>& patterns)
{
    // The credits are marked by a bullet; their words are the tooltips.
    static const QStringList signs{QStringLiteral("\u2022")};
    QStringList found;
    for (const Shown& s : shownTexts(top)) {
        const bool fromTable = signs.contains(s.text) ||
            std::any_of(patterns.begin(), patterns.end(), [&](const auto& p) { return p.match(s.text).hasMatch(); });
        if (!fromTable)
            found << top->objectName() + QLatin1Char('/') + s.where + QStringLiteral(": ") + s.text;
    }
    return found;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

class WindowTextsTest : public WindowTest {
protected:
    // A German machine whose localization file translates every text:
    // "Ü:" in front of the English one.
    void startFullyTranslated()
    {
        std::string file = "Kestrel localization 1\n";
        for (const EnglishText& entry : englishTexts())
            file += std::to_string(entry.number) + '\t' + escapeLocalText("\xC3\x9C:" + trim(entry.text)) + '\n';
        dir.write("Kestrel_1031.MDB", file);
        start({}, 1031);
        new gui::SecondaryWindows(*window);
        patterns = textPatterns(document->texts());
    }

    // Runs `inspect` on the secondary window of type W that `open` shows.
    template <class W> void inspectWindow(const std::function<void()>& open, const char* name)
    {
        bool opened = false;
        answerer.handleNext<W>([&](W& shown) {
            opened = true;
            settle();
            EXPECT_EQ(untranslated(&shown, patterns), QStringList{}) << name;
        });
        open();
        settle();
        EXPECT_TRUE(opened) << name;
    }

    // A tab of the main tab strip, as the user clicks it.
    void clickTab(int index)
    {
        QTabBar* bar = find<QTabWidget>("Main_TabStrip")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        settle();
    }

    void clickHeaderButton(int column)
    {
        auto* header = window->grid()->specHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, header->buttonRect(column).center());
        settle();
    }

    QList<QRegularExpression> patterns;
};

TEST_F(WindowTextsTest, EveryWindowShowsOnlyTextsOfTheTable)
{
    startFullyTranslated();
    EXPECT_EQ(window->windowTitle(), "\xC3\x9C:Kestrel[*]");
    EXPECT_EQ(untranslated(window.get(), patterns), QStringList{});
    // The recent files' entry that clears them appears with the first file.
    ASSERT_TRUE(window->openFile(QStringLiteral(KESTREL_SOURCE_DIR "/data/samples/agilent34401.kestrel.json")));
    EXPECT_EQ(find<QAction>("mnuClearRecent")->text(), "\xC3\x9C:&Clear List");
    EXPECT_EQ(window->windowTitle(), "\xC3\x9C:agilent34401.kestrel.json[*] - Kestrel");
    clickTab(1);
    EXPECT_EQ(untranslated(window.get(), patterns), QStringList{});
    clickTab(0);

    inspectWindow<gui::ProcedureViewer>([&] { click("Create"); }, "viewer");
    inspectWindow<gui::ConnectionWizard>([&] { clickHeaderButton(0); }, "wizard");
    inspectWindow<gui::HelpViewer>([&] { click("cmd_ReferenceHelp"); }, "help viewer");
    inspectWindow<gui::AccuracyFileViewer>([&] { click("cmd_Acc_File"); }, "accuracy-file viewer");
    inspectWindow<gui::AboutDialog>([&] { find<QAction>("mnuAbout")->trigger(); }, "About box");
}

// The English texts pass the same check: every window text is a text of
// the table, the newer ones too.
TEST_F(WindowTextsTest, TheEnglishWindowShowsOnlyTextsOfTheTable)
{
    start();
    EXPECT_EQ(untranslated(window.get(), textPatterns(englishLookup())), QStringList{});
    EXPECT_EQ(find<QAction>("mnuOpen")->text(), "&Open\u2026");
    EXPECT_EQ(find<QAbstractButton>("Command3")->text(), "Test");
    EXPECT_EQ(find("Command3")->toolTip(), "Test values for the generators");
    EXPECT_EQ(find<QLabel>("lbl_1MOhm")->text(), "1 M\u03A9  \u00B1");
}

// The walks reach the newer texts: a translation shows at once, the English
// display and the numbers take its place, and local texts come back.
TEST_F(WindowTextsTest, WalksRelabelTheNewerTexts)
{
    dir.write("Kestrel_1031.MDB",
        "Kestrel localization 1\n2000\t\xC3\x96&ffnen\xE2\x80\xA6\n2089\tHilfe\n"
        "2081\tTestwerte\n2091\tProzent\n");
    start({}, 1031);
    auto* open = find<QAction>("mnuOpen");
    auto* scopeHelp = find<QAbstractButton>("ScopeHelp");
    const auto shows = [&](const char* menu, const char* help, const char* tip, const char* unit) {
        EXPECT_EQ(open->text(), QString::fromUtf8(menu));
        EXPECT_EQ(scopeHelp->text(), QString::fromUtf8(help));
        EXPECT_EQ(find("Command3")->toolTip(), QString::fromUtf8(tip));
        EXPECT_EQ(find<QLabel>("lbl_CapPercent")->text(), QString::fromUtf8(unit));
    };
    shows("\xC3\x96&ffnen\xE2\x80\xA6", "Hilfe", "Testwerte", "Prozent");
    EXPECT_EQ(find<QAbstractButton>("Command3")->text(), "Test");

    find<QAction>("mnu_Use_English_0")->trigger();
    settle();
    shows("&Open\xE2\x80\xA6", "Help", "Test values for the generators", "%");

    find<QAction>("mnu_Disp_Ctrl_Num")->trigger();
    settle();
    shows("2000 (&Open\xE2\x80\xA6)", "2089", "2081", " 2091");
    EXPECT_EQ(find<QAbstractButton>("Command3")->text(), "2088");

    find<QAction>("mnu_Disp_Ctrl_Num")->trigger();
    find<QAction>("mnu_Use_English_1")->trigger();
    settle();
    shows("\xC3\x96&ffnen\xE2\x80\xA6", "Hilfe", "Testwerte", "Prozent");
    EXPECT_EQ(find<QAbstractButton>("Command3")->text(), "Test") << "the caption comes back after the numbers";
}

// Message boxes show their buttons and default title in the local texts;
// the core's questions (a grid command's) come in them too.
TEST_F(WindowTextsTest, MessageBoxesAnswerInTheLocalTexts)
{
    dir.write("Kestrel_1031.MDB",
        "Kestrel localization 1\n262\t&Gut\n263\t&Abbrechen\n2010\tTurmfalke\n"
        "2043\tSpezifikation wirklich leeren?\n");
    start({}, 1031);
    typeInCell(0, 0, "2");
    answerer.answerMessageBoxes(QMessageBox::Cancel);
    click("ClearSpec_1");
    ASSERT_EQ(answerer.texts(), QStringList{"Spezifikation wirklich leeren?"});
    EXPECT_EQ(answerer.titles(), QStringList{"Turmfalke"});
    EXPECT_EQ(sorted(answerer.buttons().value(0)), (QStringList{"&Abbrechen", "&Gut"}));
    EXPECT_EQ(cell(0, 0), "2");
}

TEST(MessageBoxTexts, YesNoAndALookupThatReportsThroughTheSameSink)
{
    gui::MessageBoxSink sink;
    ModalAnswerer answerer;
    const TranslatedTexts german({{kTextYes, "&Ja"}, {kTextNo, "&Nein"}, {kTextCancel, "&Abbrechen"}});
    sink.setTexts(german);
    answerer.answerMessageBoxes(QMessageBox::No);
    EXPECT_EQ(sink.show({"Frage?", "", MessageButtons::YesNoCancel, MessageIcon::Question, MessageAnswer::Yes}),
        MessageAnswer::No);
    EXPECT_EQ(sorted(answerer.buttons().value(0)), (QStringList{"&Abbrechen", "&Ja", "&Nein"}));
    EXPECT_EQ(answerer.titles().value(0), "Kestrel");

    // Local texts the editor's save left without the box's captions: the
    // lookup reports each missing text in a box of English captions, and
    // the box itself falls back to English.
    LocalTextStore store(sink);
    store.replaceLocalTexts({{1223, "Erstellen"}});
    sink.setTexts(store);
    answerer.answerMessageBoxes(QMessageBox::Ok, 3);
    sink.inform("Gespeichert");
    const QString missing = "Internal Error: Cannot find text string #";
    EXPECT_EQ(answerer.texts().mid(1), (QStringList{missing + "2010", missing + "262", "Gespeichert"}));
    EXPECT_EQ(answerer.titles().mid(1), (QStringList{"Kestrel", "Kestrel", "Kestrel"}));
    EXPECT_EQ(answerer.buttons().value(3), QStringList{"&OK"});
}

// The search question of the viewers: title and buttons in the local texts.
TEST(SearchQuestion, TitleAndButtonsInTheLocalTexts)
{
    const TranslatedTexts german({{kTextProgramName, "Turmfalke"}, {kTextOk, "&Gut"}, {kTextCancel, "&Abbrechen"}});
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen << dialog->windowTitle() << dialog->okButtonText() << dialog->cancelButtonText();
        dialog->reject();
    });
    EXPECT_EQ(gui::askSearchText(nullptr, "Suchen", {}, german), std::nullopt);
    EXPECT_EQ(seen, (QStringList{"Turmfalke", "&Gut", "&Abbrechen"}));
}

} // namespace
} // namespace kestrel::test
