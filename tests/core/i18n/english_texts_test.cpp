// The text table as a whole: its numbers and ranges, placeholders, and every
// number reaching the local table, the localization file, the editor's
// table and the spreadsheet import.
#include "core/base/text_util.h"
#include "core/i18n/edit_table.h"
#include "core/i18n/english_texts.h"
#include "core/i18n/local_text_store.h"
#include "core/i18n/localization_file.h"
#include "core/i18n/text_numbers.h"
#include "core/i18n/translation_table.h"
#include "support/recording_sink.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrel {
namespace {

const std::string kHeader = "Kestrel localization 1\n";

// Every text lies in a range documented for translators, and each could be
// saved as a local text as it stands: one line of at most 128 characters.
TEST(TextTable, NumbersLieInTheirRangesAndTextsFitTheLocalizationFile)
{
    for (const EnglishText& entry : englishTexts()) {
        EXPECT_TRUE(std::any_of(std::begin(kTextNumberRanges), std::end(kTextNumberRanges),
            [&](const TextNumberRange& range) { return entry.number >= range.first && entry.number <= range.last; }))
            << entry.number;
        EXPECT_EQ(localTextProblem(entry.text), "") << entry.number;
        EXPECT_FALSE(trim(entry.text).empty()) << entry.number;
    }
    EXPECT_EQ(englishText(kTextMenuUndo), "&Undo");
    EXPECT_EQ(englishText(1999), std::nullopt);
}

TEST(TextTable, PlaceholdersAreFilledInOnePass)
{
    const struct {
        std::string_view text;
        std::vector<std::string> values;
        std::string_view filled;
    } cases[] = {
        {"Could not save <1>:", {"a.json"}, "Could not save a.json:"},
        // The translator may reorder and repeat them.
        {"<2> for <1>, <2> again", {"x", "y"}, "y for x, y again"},
        // A value holding a placeholder stays as it is.
        {"<1> and <2>", {"<2>", "b"}, "<2> and b"},
        // Without a value, and every mark of the procedure texts, stays.
        {"<1> <3> <fsc> <cr> <0> <>", {"a", "b"}, "a <3> <fsc> <cr> <0> <>"},
        {"ends in <", {"a"}, "ends in <"},
        {"<1", {"a"}, "<1"},
        {"", {"a"}, ""},
    };
    for (const auto& c : cases) {
        std::string filled;
        switch (c.values.size()) {
        case 1:
            filled = fillPlaceholders(c.text, {c.values[0]});
            break;
        case 2:
            filled = fillPlaceholders(c.text, {c.values[0], c.values[1]});
            break;
        }
        EXPECT_EQ(filled, c.filled) << c.text;
    }
    EXPECT_EQ(textWith(englishLookup(), kTextFileTitle, {"a.kestrel.json[*]"}), "a.kestrel.json[*] - Kestrel");
}

// A localization file may hold the windows' texts: they are read, laid over
// the English texts, listed by the editor and taken back from a spreadsheet.
TEST(TextTable, TheWindowsTextsReachEveryWalkOverTheTable)
{
    test::ScratchDir dir;
    const auto file = dir.write("Kestrel_1031.MDB",
        kHeader +
            "2005\t&R\xC3\xBC"
            "ckg\xC3\xA4ngig\n1223\t&Erstellen\n");
    const LocalizationReadResult read = readLocalizationFile(file);
    ASSERT_EQ(read.error, "");

    test::RecordingSink sink;
    LocalTextStore store(sink);
    store.populate({file});
    EXPECT_EQ(sink.messages, std::vector<std::string>{});
    EXPECT_EQ(store.gettext(kTextMenuUndo),
        "&R\xC3\xBC"
        "ckg\xC3\xA4ngig");
    EXPECT_EQ(store.gettext(kTextMenuRedo), "Re&do");
    ASSERT_EQ(store.records().size(), englishTexts().size());

    const EditTable table(read.texts);
    const auto row = table.rowOf(kTextMenuUndo);
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(table.at(*row).local,
        "&R\xC3\xBC"
        "ckg\xC3\xA4ngig");
    EXPECT_EQ(table.size(), englishTexts().size());

    const TranslationImport back = readTranslationTable(writeTranslationTable(table));
    EXPECT_EQ(back.error, "");
    EXPECT_EQ(back.locals.at(kTextMenuUndo),
        "&R\xC3\xBC"
        "ckg\xC3\xA4ngig");
    // A number between the ranges, or in them without a text, is none.
    for (int number : {1700, 1999, 2499})
        EXPECT_EQ(readTranslationTable("Number\tEnglish\tLocal\n" + std::to_string(number) + "\tx\ty\n").error,
            "line 2: text number " + std::to_string(number) + " has no built-in text");
}

// A file with a number the table does not know stops the rebuild there, as
// it did before the table grew.
TEST(TextTable, AnUnknownNumberInTheFileIsStillReported)
{
    test::ScratchDir dir;
    const auto file = dir.write("Kestrel_1031.MDB", kHeader + "2007\tBeenden\n2499\tx\n2006\tWiederholen\n");
    test::RecordingSink sink;
    LocalTextStore store(sink);
    store.populate({file});
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("text number 2499 has no built-in text"), std::string::npos);
    EXPECT_EQ(store.gettext(kTextMenuQuit), "Beenden");
    EXPECT_EQ(store.gettext(kTextMenuRedo), "Re&do");
}

} // namespace
} // namespace kestrel
