// The localization editor's table: every text, its sorting and its edits.
#include "core/i18n/edit_table.h"
#include "core/i18n/english_texts.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

std::vector<int> numbersInOrder(const EditTable& table)
{
    std::vector<int> numbers;
    for (const EditRecord& r : table.records())
        numbers.push_back(r.number);
    return numbers;
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

} // namespace
} // namespace kestrel
