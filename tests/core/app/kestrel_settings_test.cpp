#include "core/app/kestrel_settings.h"

#include "core/app/procedure_inputs.h"

#include "core/i18n/text_lookup.h"
#include "core/i18n/text_numbers.h"
#include "support/recording_sink.h"
#include "support/test_scratch_dir.h"
#include "support/translated_texts.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

namespace kestrel {
namespace {

using test::ScratchDir;

// Every field on one line, so a whole restore is checked at once.
std::string summary(const KestrelSettings& s)
{
    std::ostringstream out;
    out << "top=" << s.topMost << " max=" << s.maxDim << " units=" << s.unitsListIndex << ":" << s.unitsText
        << " comments=" << s.comments << " rev=" << s.revision << " author=" << s.authorName << " proc=" << s.procName
        << " pause=" << static_cast<int>(s.pauseBetweenTests) << " msgs=" << s.addFunctionMessage << s.addRangeMessage
        << " uut=" << s.uutAccuracyUnitsListIndex << " ref=" << s.lastReferenceIndex << ":" << s.lastScopeReferenceIndex
        << " entry=" << static_cast<int>(s.dataEntry) << " meas=" << s.measurements;
    return out.str();
}

std::string readBack(const ScratchDir& dir, const std::string& body)
{
    return summary(readDefaultValues(ProfileFile(dir.write("Kestrel.INI", "[Kestrel]\n" + body))));
}

TEST(KestrelSettings, RestoresDefaultsAndStoredValues)
{
    ScratchDir dir;
    EXPECT_EQ(summary(readDefaultValues(ProfileFile(dir / "Kestrel.INI"))),
        "top=1 max=100.0 units=1:PSI comments= rev=1.0 author=Enter your name proc=Enter Name pause=0 msgs=11 "
        "uut=0 ref=1:0 entry=2 meas=1");
    // ProcName is never read; DataEntry and Meas_Unc_No_Readings are only written;
    // UUTAccuracyUnitsListIndex is not applied; a comment is cut before its line breaks come back.
    const std::string c46(46, 'c');
    EXPECT_EQ(readBack(dir,
                  "MaxDim=250\nUnitsListIndex=0\nUnitsText=kPa\nComments=" + c46 +
                      "~~x\nRevision=2.1\n"
                      "AuthorName=" +
                      std::string(60, 'a') +
                      "\nProcName=Saved\nchk_Add_FUNCTION_Message=0\n"
                      "chk_Add_RANGE_message=0\nDataEntry=0\nMeas_Unc_No_Readings=7\nUUTAccuracyUnitsListIndex=3\n"),
        "top=1 max=250 units=0:kPa comments=" + c46 + "\r\n\r\nx rev=2.1 author=" + std::string(49, 'a') +
            " proc=Enter Name pause=0 msgs=00 uut=0 ref=1:0 entry=2 meas=1");
}

// The settings start with the values of a first start, so a first start
// without a settings file opens with the inputs' own defaults.
TEST(KestrelSettings, NoSettingsFileLeavesTheInputsOfAFirstStart)
{
    ScratchDir dir;
    ProcedureInputs inputs;
    applySettings(readDefaultValues(ProfileFile(dir / "Kestrel.INI")), inputs);
    EXPECT_EQ(inputs, ProcedureInputs{});
    EXPECT_EQ(settingsFromInputs(ProcedureInputs{}, KestrelSettings{}), KestrelSettings{});
}

TEST(KestrelSettings, StoredNumbersAreReadAndClamped)
{
    // Integers are the leading sign and digits, saturated. PauseBetweenTests is read once per
    // option with the defaults "1", "0", "0": the last option that reads true is selected.
    for (const auto& [line, expected] : {std::pair{"TopMost=0", "top=0"}, {"TopMost=5", "top=1"},
             {"TopMost=-1", "top=0"}, {"TopMost=", "top=1"}, {"LastReference_Index=25", "ref=11:0"},
             {"LastReference_Index=-3", "ref=0:0"}, {"LastReference_Index=x", "ref=0:0"},
             {"LastReference_Index=+7", "ref=7:0"}, {"LastReference_Index=4abc", "ref=4:0"},
             {"PauseBetweenTests=1", "pause=2"}, {"LastReference_Index=99999999999", "ref=11:0"},
             {"LastReference_Index=-99999999999", "ref=0:0"}, {"LastScopeReference_Index=12", "ref=1:9"},
             {"LastScopeReference_Index=-3", "ref=1:0"}, {"PauseBetweenTests=True", "pause=2"},
             {"PauseBetweenTests=false", "pause=0"}, {"PauseBetweenTests=abc", "pause=0"}}) {
        ScratchDir dir;
        EXPECT_NE(readBack(dir, std::string(line) + "\n").find(expected), std::string::npos) << line;
    }
}

// A pane's key is read as the option values are; a missing or empty value
// leaves the choice to the window, the toggle's write reads back, and the
// other pane's key is left alone.
TEST(KestrelSettings, PaneShownIsReadAsAFlagOrLeftToTheWindow)
{
    const std::optional<bool> none;
    for (const Pane pane : {Pane::Preview, Pane::Coverage}) {
        const std::size_t at = static_cast<std::size_t>(pane);
        const std::string key(kPaneShownKeys[at]);
        const std::size_t other = 1 - at;
        for (const auto& [value, expected] : {std::pair{"", none}, {"  ", none}, {"1", std::optional(true)},
                 {"0", std::optional(false)}, {"True", std::optional(true)}, {"false", std::optional(false)},
                 {"-2", std::optional(true)}, {"yes", std::optional(false)}}) {
            ScratchDir dir;
            ProfileFile file(dir.write("Kestrel.INI", "[Kestrel]\n" + key + "=" + value + "\n"));
            EXPECT_EQ(readDefaultValues(file).paneShown[at], expected) << key << "=" << value;
            ASSERT_TRUE(writePaneShown(file, pane, !expected.value_or(false)));
            const KestrelSettings read = readDefaultValues(file);
            EXPECT_EQ(read.paneShown[at], std::optional(!expected.value_or(false))) << key << "=" << value;
            EXPECT_EQ(read.paneShown[other], none) << key;
        }
    }
}

TEST(KestrelSettings, SaveWritesTheKeysInOrderAndKeepsOthers)
{
    ScratchDir dir;
    ProfileFile ini(dir.write("Kestrel.INI", "[Kestrel]\nTopMost=0\nUnitsText=bar\n"));
    const KestrelSettings s{.comments = "line one\r\nline two\nthree\r\n",
        .procName = "DMM 62",
        .addRangeMessage = false,
        .lastReferenceIndex = 4,
        .dataEntry = DataEntry::All,
        .measurements = 5};
    test::RecordingSink sink;
    ASSERT_TRUE(saveDefaultValues(ini, s, sink, EnglishLookup()));
    EXPECT_EQ(test::readFile(ini.path()),
        "[Kestrel]\nTopMost=0\nUnitsText=bar\nProcName=DMM 62\nAuthorName=Enter your name\nRevision=1.0\n"
        "Comments=line one~line two~three~\nMaxDim=100.0\nUUTAccuracyUnitsListIndex=0\nLastReference_Index=4\n"
        "LastScopeReference_Index=0\nchk_Add_FUNCTION_Message=1\nchk_Add_RANGE_message=0\nDataEntry=3\n"
        "Meas_Unc_No_Readings=5\n");
    EXPECT_EQ(summary(readDefaultValues(ini)),
        "top=0 max=100.0 units=1:bar comments=line one\r\nline two\r\nthree\r\n "
        "rev=1.0 author=Enter your name proc=Enter Name pause=0 msgs=10 uut=0 "
        "ref=4:0 entry=2 meas=1");
    ASSERT_TRUE(writeTopMost(ini, true));
    EXPECT_TRUE(readDefaultValues(ini).topMost);

    dir.write("not-a-folder", "");
    ProfileFile unwritable(dir / "not-a-folder/Kestrel.INI");
    EXPECT_FALSE(saveDefaultValues(unwritable, s, sink, EnglishLookup()));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].rfind("Error: save default values cannot", 0), 0u) << sink.messages[0];
}

// A value that cannot be saved as it is (an author with a line break,
// typed into a text box) is saved as its default and the user is told;
// the other values are saved, so one bad value does not stop every later save.
TEST(KestrelSettings, AValueThatCannotBeSavedIsSavedAsItsDefault)
{
    ScratchDir dir;
    ProfileFile ini(dir.write("Kestrel.INI", "[Kestrel]\nProcName=Old\nAuthorName=Ann\nRevision=1.0\n"));
    KestrelSettings s;
    s.revision = "2.0\r\nNUMBER OF TESTS: 1";
    s.maxDim = "12\r";
    s.authorName = "Bob";
    s.procName = "New\xE2\x80\xAE";
    s.comments = "one\rtwo\r\nthree"; // line breaks of any kind are written as "~"
    test::RecordingSink sink;
    EXPECT_TRUE(saveDefaultValues(ini, s, sink, EnglishLookup()));
    EXPECT_EQ(sink.messages,
        (std::vector<std::string>{
            "Error: save default values the value of ProcName holds the direction-changing character U+202E; "
            "its default is saved instead",
            "Error: save default values the value of Revision holds the control character U+000D; its default "
            "is saved instead",
            "Error: save default values the value of MaxDim holds the control character U+000D; its default is "
            "saved instead"}));
    EXPECT_EQ(test::readFile(ini.path()),
        "[Kestrel]\nProcName=Enter Name\nAuthorName=Bob\nRevision=1.0\nComments=one~two~three\n"
        "MaxDim=100.0\nUUTAccuracyUnitsListIndex=0\nLastReference_Index=1\nLastScopeReference_Index=0\n"
        "chk_Add_FUNCTION_Message=1\nchk_Add_RANGE_message=1\nDataEntry=2\nMeas_Unc_No_Readings=1\n");
}

// A restored value passes the check the same value passes in a
// specification file; one that fails keeps its default, and the user is
// told which key. Each would otherwise write into the procedure what its
// header or preamble does not show.
TEST(KestrelSettings, RestoredValuesPassTheChecksOfASpecificationFile)
{
    const struct {
        std::string line, expected, message;
    } cases[] = {{"Revision=1.0\r  9.001  EVAL  injected", "rev=1.0 ",
                     "Revision in Kestrel.INI holds the control character U+000D"},
        {"AuthorName=Ann\x1b[2J\x07", "author=Enter your name ",
            "AuthorName in Kestrel.INI holds the control character U+001B"},
        {"AuthorName=Ann\xE2\x80\x8B", "author=Enter your name ",
            "AuthorName in Kestrel.INI holds the invisible character U+200B"},
        {"Comments=note\r  7.001  VSET         nmeas = 99", "comments= ",
            "Comments in Kestrel.INI line 1 holds a CR that is not followed by LF; line breaks are LF or CR LF"},
        {"Comments=note~x\x1b", "comments= ", "Comments in Kestrel.INI line 2 holds the control character U+001B"},
        {"MaxDim=5\xE2\x81\xA6", "max=100.0 ", "MaxDim in Kestrel.INI holds the direction-changing character U+2066"},
        {"UnitsText=kPa\x7F", "units=1:PSI ", "UnitsText in Kestrel.INI holds the control character U+007F"},
        // What a specification file takes is restored as it is.
        {"Comments=a~\tb", "comments=a\r\n\tb ", ""},
        {"AuthorName=Zo\xC3\xAB \xC2\xB5", "author=Zo\xC3\xAB \xC2\xB5 ", ""}};
    for (const auto& c : cases) {
        ScratchDir dir;
        test::RecordingSink sink;
        const std::string restored =
            summary(readDefaultValues(ProfileFile(dir.write("Kestrel.INI", "[Kestrel]\n" + c.line + "\n")), &sink));
        EXPECT_NE(restored.find(c.expected), std::string::npos) << c.line << "\n" << restored;
        if (c.message.empty()) {
            EXPECT_TRUE(sink.messages.empty()) << c.line;
        } else {
            ASSERT_EQ(sink.messages.size(), 1u) << c.line;
            EXPECT_EQ(sink.messages[0], "The saved value of " + c.message + "; its default is used instead.");
        }
    }
}

// Windows' profile functions and editors write Kestrel.INI in the ANSI code
// page: its values arrive as written, the user is told once, and the next
// save keeps every line, now in UTF-8.
TEST(KestrelSettings, AFileInTheAnsiCodePageIsReadAsWrittenAndSavedAsUtf8)
{
    ScratchDir dir;
    test::RecordingSink sink;
    ProfileFile ini(dir.write("Kestrel.INI",
        "[Kestrel]\r\nAuthorName=J\xFCrgen M\xFCller\r\nComments=\x84Pr\xFC"
        "fung\x93 \xB1 0,5 \x80~\r\nTopMost=0\r\n"
        "[Other]\r\nName=Stra\xDF"
        "e\r\n"));
    KestrelSettings s = readDefaultValues(ini, &sink);
    EXPECT_EQ(s.authorName, "Jürgen Müller");
    EXPECT_EQ(s.comments, "„Prüfung“ ± 0,5 €\r\n");
    EXPECT_FALSE(s.topMost);
    EXPECT_EQ(sink.messages,
        (std::vector<std::string>{"Kestrel.INI is not UTF-8 text: it was read in the Windows code "
                                  "page 1252, and Kestrel saves it as UTF-8."}));

    sink.messages.clear();
    EXPECT_TRUE(saveDefaultValues(ini, s, sink, englishLookup()));
    EXPECT_TRUE(sink.messages.empty());
    const std::string saved = test::readFile(ini.path());
    EXPECT_NE(saved.find("AuthorName=Jürgen Müller\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("TopMost=0\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\r\n[Other]\r\nName=Straße\r\n"), std::string::npos) << saved;
    EXPECT_EQ(readDefaultValues(ini, &sink), s) << "read back without a word";
    EXPECT_TRUE(sink.messages.empty());
}

// A value that could not be restored is not overwritten by the default
// that stood in for it, until the user sets a value of their own.
TEST(KestrelSettings, AValueThatCouldNotBeReadKeepsItsLineUntilTheUserSetsOne)
{
    ScratchDir dir;
    test::RecordingSink sink;
    ProfileFile ini(dir.write("Kestrel.INI", "[Kestrel]\nAuthorName=Ann\x1b[2J\nRevision=3.1\x7F\nMaxDim=5\n"));
    KestrelSettings s = readDefaultValues(ini, &sink);
    ASSERT_EQ(s.authorName, "Enter your name");
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_TRUE(saveDefaultValues(ini, s, sink, englishLookup()));
    std::string saved = test::readFile(ini.path());
    EXPECT_NE(saved.find("AuthorName=Ann\x1b[2J\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Revision=3.1\x7F\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("ProcName=Enter Name\n"), std::string::npos) << "the other keys are saved";

    s.authorName = "Ann Smith";
    EXPECT_TRUE(saveDefaultValues(ini, s, sink, englishLookup()));
    saved = test::readFile(ini.path());
    EXPECT_NE(saved.find("AuthorName=Ann Smith\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Revision=3.1\x7F\n"), std::string::npos) << saved;
}

// Both notices are said in the local texts, the translator placing the key,
// the file and the reason (the reason stays in the checks' own words).
TEST(KestrelSettings, NoticesOfDroppedValuesInTheLocalTexts)
{
    const test::TranslatedTexts german({{kTextSavedValueDropped, "<2>: <1> <3>, Standard verwendet."},
        {kTextValueSavedAsDefault, "<1> <2>, Standard gespeichert"}, {kTextError, "Fehler:"}});
    ScratchDir dir;
    test::RecordingSink sink;
    ProfileFile ini(dir.write("Kestrel.INI", "[Kestrel]\nMaxDim=5\x7F\n"));
    EXPECT_EQ(readDefaultValues(ini, &sink, german).maxDim, "100.0");
    KestrelSettings s;
    s.authorName = "Ann\r";
    EXPECT_TRUE(saveDefaultValues(ini, s, sink, german));
    EXPECT_EQ(sink.messages,
        (std::vector<std::string>{"Kestrel.INI: MaxDim holds the control character U+007F, Standard verwendet.",
            "Fehler: save default values AuthorName holds the control character U+000D, Standard gespeichert"}));
}

// What the window restores is what it saves: every field the inputs hold
// goes through them and back unchanged, window-only values are passed
// through, and the values that are never restored keep the inputs' own.
TEST(KestrelSettings, InputsMappingRoundTrip)
{
    const KestrelSettings saved{.topMost = false,
        .maxDim = "12.5",
        .unitsListIndex = 3,
        .unitsText = "mm",
        .comments = "a\r\nb",
        .revision = "2",
        .authorName = "Ann",
        .procName = "Enter Name",
        .pauseBetweenTests = PostTestWindow::Never,
        .addFunctionMessage = false,
        .addRangeMessage = false,
        .uutAccuracyUnitsListIndex = 2,
        .lastReferenceIndex = 11,
        .lastScopeReferenceIndex = 9,
        .dataEntry = DataEntry::Slew,
        .measurements = 7};
    ProcedureInputs inputs;
    inputs.selections.tcType = "K";
    applySettings(saved, inputs);
    EXPECT_EQ(inputs.identity, (ProcedureIdentity{"Enter Name", "Ann", "2", "a\r\nb"}));
    EXPECT_EQ(inputs.options.postTestWindow, PostTestWindow::Never);
    EXPECT_FALSE(inputs.options.functionMessages);
    EXPECT_FALSE(inputs.options.autoranging);
    EXPECT_EQ(inputs.selections,
        (MeterSelections{"6400", "J", "100 ohm Pt 385",
            "\xC2\xB0"
            "C"}));
    EXPECT_EQ(inputs.scope.reference, 9);
    EXPECT_EQ(inputs.options.dataEntry, DataEntry::Keyboard); // never restored
    EXPECT_EQ(inputs.options.measurements, 1);

    KestrelSettings back = settingsFromInputs(inputs, saved);
    EXPECT_EQ(back.dataEntry, DataEntry::Keyboard);
    EXPECT_EQ(back.measurements, 1);
    back.dataEntry = saved.dataEntry;
    back.measurements = saved.measurements;
    EXPECT_EQ(back, saved);

    // Out-of-range indexes are pulled into the lists.
    KestrelSettings outOfRange;
    outOfRange.lastReferenceIndex = 40;
    outOfRange.lastScopeReferenceIndex = -2;
    applySettings(outOfRange, inputs);
    EXPECT_EQ(inputs.selections.reference, "6400");
    EXPECT_EQ(inputs.scope.reference, 0);
}

} // namespace
} // namespace kestrel
