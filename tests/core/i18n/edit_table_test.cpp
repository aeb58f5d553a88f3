// The localization editor's table, its save and the clear command, and the
// print-out's page texts.
#include "core/i18n/edit_table.h"
#include "core/i18n/english_texts.h"
#include "core/i18n/local_text_store.h"
#include "core/i18n/localization_file.h"
#include "core/i18n/localization_print.h"
#include "core/i18n/localization_save.h"
#include "support/recording_sink.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::ScratchDir;

const std::string kHeader = "Kestrel localization 1\n";

std::vector<int> numbersInOrder(const EditTable& table)
{
    std::vector<int> numbers;
    for (const EditRecord& r : table.records())
        numbers.push_back(r.number);
    return numbers;
}

// Sets the local text of English text `number`; a number the table does not
// hold fails the test.
void setLocalOf(EditTable& table, int number, const std::string& text)
{
    const auto row = table.rowOf(number);
    ASSERT_TRUE(row) << number;
    table.setLocal(*row, text);
}

TEST(EditTable, LoadsEveryTextAndSortsByHeaderClicks)
{
    EditTable table({{1223, "  Erstellen "}, {1224, ""}});
    ASSERT_EQ(table.size(), englishTexts().size());
    EXPECT_EQ(table.at(0), (EditRecord{100, "&DMM's", std::nullopt}));
    const auto create = table.rowOf(1223), blank = table.rowOf(1224);
    ASSERT_TRUE(create && blank);
    EXPECT_EQ(table.at(*create).local, "Erstellen");
    EXPECT_EQ(table.at(*blank).local, "") << "a blank file text is a local text, not none";

    // The English column twice: descending, then ascending; equal texts in number order.
    table.sortByHeader(EditColumn::English);
    EXPECT_EQ(table.sort(), (EditSort{EditColumn::English, true}));
    EXPECT_EQ(table.at(0), (EditRecord{1075, "\xC2\xB1Volts", std::nullopt}))
        << "bytes after ASCII; 1245 is the same text";
    EXPECT_EQ(table.at(1).number, 1245);
    const auto whenNecessary = table.rowOf(214), waveform = table.rowOf(1558);
    ASSERT_TRUE(whenNecessary && waveform);
    EXPECT_LT(*whenNecessary, *waveform) << "\"When necessary\" after \"waveform\": case does not count";
    table.sortByHeader(EditColumn::English);
    EXPECT_EQ(table.sort(), (EditSort{EditColumn::English, false}));
    EXPECT_EQ(table.at(0).english, "\"<1>\" cannot be entered in <2>. Nothing was pasted.") << "'\"' before '#'";
    const auto channels = numbersInOrder(table);
    const auto first = std::find(channels.begin(), channels.end(), 1238);
    ASSERT_GE(std::distance(first, channels.end()), 2) << "1238 listed, and not last";
    EXPECT_EQ(*std::next(first), 1532) << "two texts \"Signal Path Compensation\"";
    // The direction flips whatever column is clicked; no local text sorts first.
    table.sortByHeader(EditColumn::Local);
    EXPECT_EQ(table.at(0).local, "Erstellen");
    table.sortByHeader(EditColumn::Local);
    EXPECT_EQ(table.at(0), (EditRecord{100, "&DMM's", std::nullopt}));
    EXPECT_EQ(table.at(table.size() - 1).number, 1223);
    table.sortByHeader(EditColumn::Number);
    const int last = englishTexts().back().number;
    EXPECT_EQ(table.at(0).number, last);

    EXPECT_EQ(table.findRow("erstell", 0), table.rowOf(1223));
    EXPECT_EQ(table.findRow(std::to_string(last), 0), 0u) << "the search wraps round to the row it started from";
    EXPECT_EQ(table.findRow("no such text", 3), std::nullopt);
}

// An edit makes the editor dirty when it changes what a save writes: a
// blank text and none both mean the English text.
TEST(EditTable, AnEditChangesTheSaveUnlessOnlyBlanksChange)
{
    EditTable table({{1223, "Erstellen"}});
    const std::size_t create = *table.rowOf(1223), tabs = *table.rowOf(100);
    struct Case {
        std::size_t row;
        std::optional<std::string> text;
        bool changesSave;
    };
    for (const auto& [row, text, changesSave] : std::initializer_list<Case>{{tabs, "   ", false}, // none -> blank
             {tabs, std::nullopt, false},                                                         // blank -> none
             {tabs, " x ", true},                                                                 // none -> text
             {tabs, " x", true},           // a blank more or less is what Gettext trims, not what is saved
             {create, "Erstellen", false}, // the same text again
             {create, "", true},           // emptied: the English text again
             {create, std::nullopt, false}}) {
        EXPECT_EQ(table.setLocal(row, text), changesSave)
            << table.at(row).number << " \"" << text.value_or("(none)") << '"';
    }
}

// The local column sorts as the localization's language sorts, where byte
// order would put every accented letter after "z".
TEST(EditTable, LocalTextsSortInTheLanguagesOrder)
{
    const std::vector<std::pair<int, std::string>> texts{{100, "Zeit"}, {101, "\xC3\x96l"} /* Öl */, {200, "Uhr"},
        {201,
            "\xC3\x9C"
            "bung"} /* Übung */,
        {202, "ober"}, {210, "Abend"}};
    for (const auto& [language, expected] : std::initializer_list<std::pair<int, std::vector<int>>>{
             {1031, {210, 202, 101, 201, 200, 100}},    // German: Ö beside O, Ü beside U
             {1053, {210, 202, 200, 201, 100, 101}},    // Swedish: Ü sorts as Y, Ö after Z
             {9999, {210, 202, 101, 201, 200, 100}}}) { // unknown: Unicode's default order
        EditTable table(texts, language);
        table.sortByHeader(EditColumn::Local); // descending
        table.sortByHeader(EditColumn::Local); // ascending: the rows without a local text first
        std::vector<int> order;
        for (std::size_t row = table.size() - texts.size(); row < table.size(); ++row)
            order.push_back(table.at(row).number);
        EXPECT_EQ(order, expected) << language;
    }
}

struct Fixture {
    ScratchDir dir;
    test::RecordingSink sink;
    LocalTextStore store{sink};
    LocalizationFiles files{
        dir / "config/Kestrel_1031.MDB", {dir / "config/Kestrel_1031.MDB", dir / "bin/Kestrel_1031.MDB"}};
    Fixture() { store.populate(files.candidates); }
};

TEST(LocalizationSave, WritesTheTextsThatAreNotBlankAndRebuildsLocalTexts)
{
    Fixture f;
    EditTable table;
    EXPECT_EQ(saveLocalTexts(table, f.store, f.files, f.sink), SaveOutcome::NothingToSave);

    // Blank texts are no texts: nothing written, and every number still answers.
    setLocalOf(table, 1224, "   ");
    EXPECT_EQ(saveLocalTexts(table, f.store, f.files, f.sink), SaveOutcome::NothingToSave);
    EXPECT_FALSE(std::filesystem::exists(f.files.saveFile));
    EXPECT_EQ(f.store.gettext(1224), "Display &Local Text");

    setLocalOf(table, 1223, " &Erstellen");
    int writes = 0;
    EXPECT_EQ(saveLocalTexts(table, f.store, f.files, f.sink, [&] { ++writes; }), SaveOutcome::Saved);
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(test::readFile(f.files.saveFile), kHeader + "1223\t &Erstellen\n");
    EXPECT_TRUE(f.store.localFilePresent());
    EXPECT_EQ(f.store.gettext(1223), "&Erstellen");
    EXPECT_EQ(f.store.gettext(100), "&DMM's");
    EXPECT_TRUE(f.sink.shown.empty()) << "no file yet, so no overwrite question";

    // Cancelling the overwrite keeps the file byte for byte, and the texts whole.
    setLocalOf(table, 100, "&Multimeter");
    f.sink.setAnswer(false);
    EXPECT_EQ(saveLocalTexts(table, f.store, f.files, f.sink), SaveOutcome::Cancelled);
    EXPECT_EQ(f.sink.questions, std::vector<std::string>{"Overwrite existing Localizing file?"});
    ASSERT_FALSE(f.sink.shown.empty());
    EXPECT_EQ(f.sink.shown.back().icon, MessageIcon::Question);
    EXPECT_EQ(test::readFile(f.files.saveFile), kHeader + "1223\t &Erstellen\n");
    EXPECT_EQ(f.store.gettext(100) + "|" + f.store.gettext(1223), "&DMM's|&Erstellen");
    EXPECT_TRUE(f.sink.messages.empty());

    f.sink.setAnswer(true);
    EXPECT_EQ(saveLocalTexts(table, f.store, f.files, f.sink), SaveOutcome::Saved);
    EXPECT_EQ(test::readFile(f.files.saveFile), kHeader + "100\t&Multimeter\n1223\t &Erstellen\n");
}

// Emptying every local text means the English texts again: the file goes,
// after a question.
TEST(LocalizationSave, EmptyingEveryTextRemovesTheFileAfterAQuestion)
{
    Fixture f;
    f.dir.write("config/Kestrel_1031.MDB", kHeader + "1223\tErstellen\n1224\tLokal\n");
    f.store.populate(f.files.candidates);
    EditTable table(readLocalizationFile(f.files.saveFile).texts);

    // One text emptied: the file keeps the other.
    setLocalOf(table, 1224, "");
    f.sink.setAnswer(true);
    EXPECT_EQ(saveLocalTexts(table, f.store, f.files, f.sink), SaveOutcome::Saved);
    EXPECT_EQ(test::readFile(f.files.saveFile), kHeader + "1223\tErstellen\n");
    EXPECT_EQ(f.store.gettext(1224), "Display &Local Text");

    // The last one blanked: No keeps the file and its text.
    setLocalOf(table, 1223, "  ");
    f.sink.setAnswer(false);
    EXPECT_EQ(saveLocalTexts(table, f.store, f.files, f.sink), SaveOutcome::Cancelled);
    EXPECT_EQ(f.sink.shown.back(),
        (Message{"No local text is left. Delete the localization file and show the "
                 "English texts again?",
            "", MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::No}));
    EXPECT_EQ(test::readFile(f.files.saveFile), kHeader + "1223\tErstellen\n");
    EXPECT_EQ(f.store.gettext(1223), "Erstellen");

    // Yes deletes it, and a copy beside the program, and the texts are English.
    f.dir.write("bin/Kestrel_1031.MDB",
        kHeader +
            "1223\tCr\xC3\xA9"
            "er\n");
    f.sink.setAnswer(true);
    EXPECT_EQ(saveLocalTexts(table, f.store, f.files, f.sink), SaveOutcome::Removed);
    EXPECT_FALSE(std::filesystem::exists(f.files.saveFile) || std::filesystem::exists(f.files.candidates[1]));
    EXPECT_FALSE(f.store.localFilePresent());
    EXPECT_EQ(f.store.gettext(1223), "&Create");
    EXPECT_TRUE(f.sink.messages.empty());

    // Nothing left and no file: nothing to ask.
    const std::size_t asked = f.sink.shown.size();
    EXPECT_EQ(saveLocalTexts(table, f.store, f.files, f.sink), SaveOutcome::NothingToSave);
    EXPECT_EQ(f.sink.shown.size(), asked);
}

TEST(LocalizationSave, AFailedWriteIsReportedAndLeavesTheOldFile)
{
    Fixture f;
    const auto old = kHeader + "1223\tErstellen\n";
    f.dir.write("config/Kestrel_1031.MDB", old);
    f.store.populate(f.files.candidates);
    EditTable table;
    setLocalOf(table, 1223, std::string(129, 'x'));
    setLocalOf(table, 100, "Multimeter");
    EXPECT_EQ(saveLocalTexts(table, f.store, f.files, f.sink), SaveOutcome::Failed);
    EXPECT_EQ(f.sink.messages,
        std::vector<std::string>{"Error: Save changes the text of 1223 is longer than 128 characters"});
    EXPECT_EQ(test::readFile(f.files.saveFile), old);
    EXPECT_EQ(f.store.gettext(100) + "|" + f.store.gettext(1223), "&DMM's|Erstellen");
}

TEST(LocalizationClear, AsksThenDeletesEveryCopyAndAnswersInEnglish)
{
    Fixture f;
    f.dir.write("config/Kestrel_1031.MDB", kHeader + "1223\tErstellen\n");
    f.dir.write("bin/Kestrel_1031.MDB",
        kHeader +
            "1223\tCr\xC3\xA9"
            "er\n");
    f.store.populate(f.files.candidates);

    f.sink.setAnswer(false);
    EXPECT_FALSE(clearLocalization(f.store, f.files, f.sink));
    EXPECT_TRUE(std::filesystem::exists(f.files.saveFile));
    ASSERT_FALSE(f.sink.shown.empty());
    EXPECT_EQ(f.sink.shown.back(),
        (Message{"Really Delete Localization file?", "Warning", MessageButtons::OkCancel, MessageIcon::Critical,
            MessageAnswer::Cancel}));

    f.sink.setAnswer(true);
    EXPECT_TRUE(clearLocalization(f.store, f.files, f.sink));
    EXPECT_FALSE(std::filesystem::exists(f.files.saveFile));
    EXPECT_FALSE(std::filesystem::exists(f.files.candidates[1]));
    EXPECT_FALSE(f.store.localFilePresent());
    EXPECT_EQ(f.store.gettext(1223), "&Create");
    // With no file at all the command only resets.
    EXPECT_TRUE(clearLocalization(f.store, f.files, f.sink));
    EXPECT_TRUE(f.sink.messages.empty());
}

TEST(LocalizationPrint, PageTexts)
{
    EXPECT_EQ(printStampText({{2026, 3, 7}, 15, 5}, 1033), "07 Mar 2026 @ 3:05 PM");
    EXPECT_EQ(printStampText({{2026, 12, 31}, 0, 0}, 1033), "31 Dec 2026 @ 12:00 AM");
    EXPECT_EQ(printStampText({{2026, 5, 1}, 12, 30}, 1031), "01 Mai 2026 @ 12:30 PM");
    EXPECT_EQ(localizationPageHeader("stamp", 2, 7), (PageHeader{"stamp", "Page: 2 of  7", "Kestrel"}));
    EXPECT_EQ(localizationPageFooter(2, 7), "2 of 7");
}

} // namespace
} // namespace kestrel
