// The translator's spreadsheet file: what the editor exports and what it
// takes back, in the encodings and quoting spreadsheets write.
#include "core/i18n/edit_table.h"
#include "core/i18n/english_texts.h"
#include "core/i18n/translation_table.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kestrel {
namespace {

using Locals = std::map<int, std::optional<std::string>>;

void setLocalOf(EditTable& table, int number, const std::string& text)
{
    const auto row = table.rowOf(number);
    ASSERT_TRUE(row) << number;
    table.setLocal(*row, text);
}

// UTF-8 as UTF-16 with its byte order mark, as spreadsheets save "Unicode text".
std::string utf16(std::string_view utf8, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    const auto put = [&](char32_t unit) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        if (code >= 0x10000) {
            put(0xD800 + ((code - 0x10000) >> 10));
            put(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            put(code);
        }
    }
    return out;
}

TEST(TranslationTable, ExportsWhatSpreadsheetsOpenAndReadsItBack)
{
    EditTable table;
    setLocalOf(table, 1223, "&Erstellen");
    setLocalOf(table, 1260, "Anleitung \"Bild\"\tund C:\\Text");
    setLocalOf(table, 1224, "");
    setLocalOf(table, 1225, " Englisch ");
    table.sortByHeader(EditColumn::English);
    const std::string exported = writeTranslationTable(table);
    EXPECT_EQ(exported.substr(0, exported.find('\n', exported.find('\n') + 1) + 1),
        "\xEF\xBB\xBFNumber\tEnglish\tLocal\r\n100\t&DMM's\t\r\n")
        << "UTF-8 with its mark, CR LF, number order whatever the sort";
    EXPECT_NE(exported.find("\r\n1223\t&Create\t&Erstellen\r\n"), std::string::npos);
    EXPECT_NE(exported.find("\r\n1225\tDisplay &English Text\t Englisch \r\n"), std::string::npos) << "blanks kept";
    EXPECT_NE(exported.find("\r\n1260\tInstructions & Connection\t\"Anleitung \"\"Bild\"\"\tund C:\\Text\"\r\n"),
        std::string::npos)
        << "quoted because of the quote and the TAB; the backslash as it is";
    EXPECT_EQ(exported.find("\n\n"), std::string::npos);

    const TranslationImport read = readTranslationTable(exported);
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.locals.size(), englishTexts().size());
    EditTable other;
    EXPECT_TRUE(other.setLocals(read.locals));
    EXPECT_FALSE(other.setLocals(read.locals)) << "the same texts again change nothing";
    EXPECT_EQ(writeTranslationTable(other), exported);
    EXPECT_EQ(other.textsToSave(), table.textsToSave());
}

// The same sheet as each spreadsheet may save it.
TEST(TranslationTable, ReadsUtf8AndUtf16AsSpreadsheetsSaveThem)
{
    const std::string sheet = "Nr\tEnglisch\tDeutsch\r\n"
                              "1223\t&Create\t&Erstellen\r\n"
                              "1224\tDisplay &Local Text\r\n" // no local cell
                              "1260\t\"Instructions\r\n& Connection\"\t\"Gr\xC3\xBC\xC3\x9F"
                              "e\t\"\"Bild\"\"\"\r\n"                          // quoted TAB and quotes
                              "1226\tAbout\t\xF0\x9F\x94\xA7 \xE2\x82\xAC\r\n" // beyond the BMP
                              "\t\t\r\n";
    const Locals expected{{1223, "&Erstellen"}, {1224, std::nullopt},
        {1260,
            "Gr\xC3\xBC\xC3\x9F"
            "e\t\"Bild\""},
        {1226, "\xF0\x9F\x94\xA7 \xE2\x82\xAC"}};
    std::string lf = sheet;
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;)
        lf.erase(at, 1);
    for (const auto& [name, bytes] : std::initializer_list<std::pair<const char*, std::string>>{{"UTF-8", sheet},
             {"UTF-8 with its mark", "\xEF\xBB\xBF" + sheet}, {"UTF-8, LF", lf}, {"UTF-16 LE", utf16(sheet, false)},
             {"UTF-16 BE", utf16(sheet, true)}, {"UTF-16 LE, LF", utf16(lf, false)}}) {
        const TranslationImport read = readTranslationTable(bytes);
        EXPECT_EQ(read.error, "") << name;
        EXPECT_EQ(read.locals, expected) << name;
    }
}

TEST(TranslationTable, RefusesWholeNamingTheLine)
{
    const std::string head = "Number\tEnglish\tLocal\n1223\t&Create\tErstellen\n";
    for (const auto& [line, error] : std::initializer_list<std::pair<std::string, std::string>>{
             {"215\tnothing\tnichts", "line 3: text number 215 has no built-in text"},
             {"2690\t\tx", "line 3: text number 2690 has no built-in text"},
             {"1223\t&Create\tnochmal", "line 3: text number 1223 appears twice"},
             {"1224\t" + std::string(3, 'x') + "\t" + std::string(129, 'y'),
                 "line 3: the local text of 1224 is longer than 128 characters"},
             {"1224\tx\ty\tz", "line 3: expected the text number"}, {"1224", "line 3: expected the text number"},
             {"12a4\tx\ty", "line 3: \"12a4\" is not a text number"},
             {"1224\tx\t\"open\n1225\tx\ty", "line 3: a double quote opens a text and never closes it"},
             {"1224\tx\t\"closed\" after", "line 3: text after the double quote that closes a quoted text"},
             {"1224\tx\t\"two\r\nlines\"", "line 3: the local text of 1224 holds the control character U+000D"},
             // A multi-line English cell counts its lines.
             {"1224\t\"two\nlines\"\ty\n215\tx\ty", "line 5: text number 215 has no built-in text"},
             {"1224\tx\t\xC3\x28", "is neither UTF-8 nor UTF-16 with a byte order mark"}}) {
        const TranslationImport read = readTranslationTable(head + line + "\n1225\tx\ty\n");
        EXPECT_TRUE(read.locals.empty()) << line;
        EXPECT_EQ(read.error.substr(0, error.size()), error) << read.error;
    }
    EXPECT_EQ(readTranslationTable("Number\tEnglish\tLocal\nNumber\tx\ty\n").error,
        "line 2: \"Number\" is not a text number");
}

TEST(TranslationTable, RefusesWhatIsNoSpreadsheetText)
{
    std::string manyLines = "Number\tEnglish\tLocal\n";
    for (std::size_t i = 1; i < kMaxTranslationTableLines; ++i)
        manyLines += "\n";
    EXPECT_EQ(readTranslationTable(manyLines).error, "") << "10000 lines, most of them empty";
    manyLines += "1223\tx\ty\n";
    EXPECT_EQ(readTranslationTable(manyLines).error, "line 10001: more than 10000 lines");

    const std::string latin1 = "1223\t&Create\tGr\xFC\xDF"
                               "e\n";
    const std::string neither =
        "is neither UTF-8 nor UTF-16 with a byte order mark (save it as UTF-8 or as Unicode text)";
    for (const auto& [name, bytes, error] : std::initializer_list<std::tuple<const char*, std::string, std::string>>{
             {"a legacy code page", latin1, neither},
             {"UTF-16 without its mark", utf16("1223\tx\ty\n", false).substr(2), neither},
             {"UTF-16 cut in a character", utf16("1223\tx\ty\n", false) + "1",
                 "ends in the middle of a UTF-16 character"},
             {"half a surrogate pair", utf16("1223\tx\t", false) + "\x3D\xD8" + utf16("y\n", false).substr(2),
                 "holds half a UTF-16 character (an unpaired surrogate) at byte 16"},
             {"too large", std::string(kMaxTranslationTableSize + 1, '\n'),
                 "is larger than 4 MiB, too large for a translation table"}}) {
        const TranslationImport read = readTranslationTable(bytes);
        EXPECT_EQ(read.error, error) << name;
        EXPECT_TRUE(read.locals.empty()) << name;
    }
}

TEST(TranslationTable, FilesAreWrittenWholeAndReadWithinTheirLimit)
{
    test::ScratchDir dir;
    EditTable table;
    setLocalOf(table, 1223, "&Erstellen");
    std::string error;
    ASSERT_TRUE(writeTranslationTableFile(dir / "sheet.tsv", table, error)) << error;
    EXPECT_EQ(test::readFile(dir / "sheet.tsv"), writeTranslationTable(table));
    EXPECT_EQ(readTranslationTableFile(dir / "sheet.tsv").locals.at(1223), "&Erstellen");

    dir.write("folder/inside", "");
    EXPECT_EQ(readTranslationTableFile(dir / "folder").error, "is a folder, not a file");
    dir.write("large.tsv", std::string(kMaxTranslationTableSize + 1, '\n'));
    EXPECT_EQ(
        readTranslationTableFile(dir / "large.tsv").error, "is larger than 4 MiB, too large for a translation table");
}

} // namespace
} // namespace kestrel
