// The German translation that ships in data/localization/Kestrel_1031.MDB:
// every text of the program has one, with the English text's placeholders,
// marks and access key, and the procedures written with it hold nothing
// Tessel cannot take and no line the English procedure keeps within its
// width but the German one does not.
#include "core/app/create.h"
#include "core/base/text_util.h"
#include "core/base/user_text.h"
#include "core/i18n/english_texts.h"
#include "core/i18n/local_text_store.h"
#include "core/i18n/localization_file.h"
#include "core/scope/scope_inputs.h"
#include "core/spec/samples.h"
#include "core/spec/standards.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace kestrel {
namespace {

const std::filesystem::path kGermanFile = KESTREL_SOURCE_DIR "/data/localization/Kestrel_1031.MDB";

// The marks the program fills in or acts on: "<1>" … "<9>" and the
// procedure texts' own ("<fsc>", "<cr>", "<channel>" …).
std::multiset<std::string> marksOf(std::string_view text)
{
    std::multiset<std::string> marks;
    for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        const std::size_t end =
            text.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", at + 1);
        if (end != std::string_view::npos && end > at + 1 && text[end] == '>')
            marks.insert(std::string(text.substr(at, end - at + 1)));
    }
    return marks;
}

// How many access keys a caption marks: an "&" before a character other
// than a blank or a second "&" ("&&" shows one "&").
int accessKeysOf(std::string_view text)
{
    int keys = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&')
            ++i;
        else if (text[i + 1] != ' ')
            ++keys;
    }
    return keys;
}

TEST(GermanTranslation, EveryTextHasOneWithTheEnglishMarksAndAccessKey)
{
    const LocalizationReadResult file = readLocalizationFile(kGermanFile);
    ASSERT_EQ(file.error, "");
    const std::map<int, std::string> german(file.texts.begin(), file.texts.end());
    for (const EnglishText& english : englishTexts()) {
        const auto found = german.find(english.number);
        if (found == german.end()) {
            ADD_FAILURE() << english.number << " \"" << english.text << "\" has no German text";
            continue;
        }
        const std::string& text = found->second;
        EXPECT_NE(trim(text), "") << english.number;
        EXPECT_EQ(marksOf(text), marksOf(english.text)) << english.number << " \"" << text << "\"";
        EXPECT_EQ(accessKeysOf(text), accessKeysOf(english.text)) << english.number << " \"" << text << "\"";
    }
    for (const auto& [number, text] : german)
        EXPECT_TRUE(englishText(number).has_value()) << number << " is no text of the program";
    // The file keeps its order: ascending numbers, as the editor saves it.
    EXPECT_TRUE(std::is_sorted(
        file.texts.begin(), file.texts.end(), [](const auto& a, const auto& b) { return a.first < b.first; }));
}

class GermanProcedures : public testing::Test {
protected:
    void SetUp() override
    {
        german.populate({kGermanFile});
        ASSERT_TRUE(german.localFilePresent());
        ASSERT_TRUE(sink.messages.empty()) << sink.messages.front();
    }

    // The procedure in German: created as in English, no line holding a
    // character Tessel cannot take, and no text past its field or line
    // that the English procedure keeps within it.
    void expectAsSoundAsEnglish(const ProcedureInputs& inputs, const std::string& what)
    {
        FieldOverflows germanOverflows, englishOverflows;
        test::RecordingSink messages;
        const CreateResult result = createProcedure(inputs, german, messages, &germanOverflows);
        const CreateResult english = createProcedure(inputs, englishLookup(), messages, &englishOverflows);
        ASSERT_EQ(result.status, english.status) << what;
        const std::string procedure = clipboardForm(result.text);
        for (const std::string_view line : splitLines(procedure))
            EXPECT_EQ(oneLineTextProblem(line), "") << what << ": " << line;
        for (const FieldOverflow& overflow : germanOverflows) {
            const bool inEnglish = std::any_of(englishOverflows.begin(), englishOverflows.end(),
                [&](const FieldOverflow& e) { return e.input == overflow.input && e.field == overflow.field; });
            EXPECT_TRUE(inEnglish) << what << ": " << overflow.input << " " << overflow.field << " \"" << overflow.text
                                   << "\" is longer than " << overflow.room;
        }
    }

    test::RecordingSink sink;
    LocalTextStore german{sink};
};

TEST_F(GermanProcedures, EverySampleOnEveryMeterStandard)
{
    for (const SampleDefinition& sample : samples()) {
        for (const std::string_view standard : kReferences) {
            for (const bool autoranging : {false, true}) {
                ProcedureInputs inputs;
                loadSample(sample, inputs, german);
                inputs.selections.reference = std::string(standard);
                inputs.headerDate = "07-Dec-26";
                // Every message a procedure can carry.
                inputs.options.functionMessages = true;
                inputs.options.autoranging = autoranging;
                expectAsSoundAsEnglish(inputs, std::string(sample.name) + " on the " + std::string(standard));
            }
        }
    }
}

TEST_F(GermanProcedures, EveryScopeStandardWithEveryTest)
{
    for (int reference = 0; reference < static_cast<int>(kScopeReferences.size()); ++reference) {
        for (const int channels : {0, 1, 2}) {
            ProcedureInputs inputs;
            inputs.page = Page::Scope;
            inputs.headerDate = "07-Dec-26";
            inputs.identity = {"Orvik 2440 Oscilloscope", "J. Smith", "2.1", ""};
            ASSERT_TRUE(selectScopeReference(inputs.scope, reference));
            inputs.scope.numChannels = channels;
            inputs.options.functionMessages = true;
            setRisetimeTest(inputs.scope, true);
            setImpedanceTest(inputs.scope, true);
            expectAsSoundAsEnglish(inputs,
                std::string(kScopeReferences[static_cast<std::size_t>(reference)]) + ", channel choice " +
                    std::to_string(channels));
        }
    }
}

} // namespace
} // namespace kestrel
