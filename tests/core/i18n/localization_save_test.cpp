// The localization editor's save and the clear command: the file written,
// removed or kept, and the texts the program answers afterwards.
#include "core/i18n/edit_table.h"
#include "core/i18n/english_texts.h"
#include "core/i18n/local_text_store.h"
#include "core/i18n/localization_file.h"
#include "core/i18n/localization_save.h"
#include "support/recording_sink.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::ScratchDir;

const std::string kHeader = "Kestrel localization 1\n";

// Sets the local text of English text `number`; a number the table does not
// hold fails the test.
void setLocalOf(EditTable& table, int number, const std::string& text)
{
    const auto row = table.rowOf(number);
    ASSERT_TRUE(row) << number;
    table.setLocal(*row, text);
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

} // namespace
} // namespace kestrel
