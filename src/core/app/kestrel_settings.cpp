#include "core/app/kestrel_settings.h"

#include "core/app/procedure_inputs.h"
#include "core/base/message_sink.h"
#include "core/base/text_util.h"
#include "core/base/user_text.h"
#include "core/i18n/text_lookup.h"
#include "core/i18n/text_numbers.h"
#include "core/scope/scope_inputs.h"
#include "core/spec/numbers.h"
#include "core/spec/procedure_comments.h"
#include "core/spec/standards.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace kestrel {
namespace {

// A stored number as the program's number conversion reads it: the
// leading number, 0 for none, kept within the int range.
int storedInteger(std::string_view text)
{
    const double value = std::nearbyint(leadingNumber(text));
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// A stored value assigned to an option button or check box: "True" and
// "False" in any case, else a number that is true when not zero. Text
// that is neither counts as false rather than stopping the restore.
bool storedBoolean(std::string_view text)
{
    const std::string word = toLower(trim(text));
    if (word == "true")
        return true;
    if (word == "false")
        return false;
    return leadingNumber(word) != 0.0;
}

// The text values of Kestrel.INI. Each passes, read or written, the check
// the same value passes in a specification file: the name, author and
// revision stand on one line of the procedure header, the comments in its
// preamble; MaxDim and UnitsText, which no file holds, are one-line texts
// too. A value that fails is dropped for its default, so that a value the
// user never saw cannot reach a procedure, nor one bad value stop every
// later save.
enum class TextKind { OneLine, Comments };

struct TextSetting {
    std::string_view key;
    std::string KestrelSettings::*member;
    TextKind kind;
};

constexpr std::array<TextSetting, 6> kTextSettings{{
    {"ProcName", &KestrelSettings::procName, TextKind::OneLine},
    {"AuthorName", &KestrelSettings::authorName, TextKind::OneLine},
    {"Revision", &KestrelSettings::revision, TextKind::OneLine},
    {"Comments", &KestrelSettings::comments, TextKind::Comments},
    {"MaxDim", &KestrelSettings::maxDim, TextKind::OneLine},
    {"UnitsText", &KestrelSettings::unitsText, TextKind::OneLine},
}};

const TextSetting& textSetting(std::string_view key)
{
    return *std::find_if(
        kTextSettings.begin(), kTextSettings.end(), [&](const TextSetting& setting) { return setting.key == key; });
}

// Why the value cannot be restored: the comments as a specification file's
// comments (line breaks LF or CR LF), every other value as a one-line text.
std::string restoreProblem(const TextSetting& setting, std::string_view value)
{
    // A specification file is UTF-8 text: bytes that are not would come
    // back from Save and Open as other characters.
    if (!isValidUtf8(value))
        return "is not UTF-8 text";
    return setting.kind == TextKind::Comments ? commentsProblem(value) : oneLineTextProblem(value);
}

// Why the value cannot be saved. The comments' line breaks of any kind are
// written as "~", so only their other characters are checked.
std::string saveProblem(const TextSetting& setting, std::string_view value)
{
    if (setting.kind == TextKind::OneLine)
        return oneLineTextProblem(value);
    const std::size_t at = findRefusedCharacter(value, "\t\r\n");
    return at == std::string_view::npos ? std::string{} : "holds " + refusedCharacterName(value, at);
}

// The stored value of a text setting, or its default (told to the sink,
// and the key kept in `unrestored`) when it fails the check.
std::string restoredText(const ProfileFile& ini, std::string_view key, MessageSink* sink, const TextLookup& texts,
    std::vector<std::string>& unrestored)
{
    const TextSetting& setting = textSetting(key);
    const std::string fallback = KestrelSettings{}.*setting.member; // no line breaks in any default
    std::string value = readDefaultSetting(ini, key, fallback);
    if (setting.kind == TextKind::Comments)
        value = commentsFromFile(value);
    const std::string problem = restoreProblem(setting, value);
    if (problem.empty())
        return value;
    unrestored.emplace_back(key);
    if (sink)
        sink->inform(textWith(texts, kTextSavedValueDropped, {key, ini.path().filename().string(), problem}),
            MessageIcon::Exclamation);
    return fallback;
}

} // namespace

std::string commentsFromFile(std::string_view stored) { return replaceAll(std::string(stored), "~", "\r\n"); }

std::string commentsToFile(std::string_view comments)
{
    // Text boxes on some platforms break lines with a bare LF (or CR); each
    // kind of line break becomes one "~" so the value stays on one line.
    return normalizeLineBreaks(comments, "~");
}

std::string readDefaultSetting(const ProfileFile& ini, std::string_view key, std::string_view defaultValue)
{
    return ini.readString(kKestrelSection, key, defaultValue, kSettingsBufferLength);
}

KestrelSettings readDefaultValues(const ProfileFile& ini, MessageSink* sink, const TextLookup& texts)
{
    KestrelSettings s;
    if (const int codePage = ini.ansiCodePage(); codePage != 0 && sink)
        sink->inform(
            textWith(texts, kTextSettingsReadInAnsi, {ini.path().filename().string(), std::to_string(codePage)}),
            MessageIcon::Information);
    s.maxDim = restoredText(ini, "MaxDim", sink, texts, s.unrestoredKeys);
    s.unitsListIndex = storedInteger(readDefaultSetting(ini, "UnitsListIndex", "1"));
    s.unitsText = restoredText(ini, "UnitsText", sink, texts, s.unrestoredKeys);
    s.comments = restoredText(ini, "Comments", sink, texts, s.unrestoredKeys);
    s.revision = restoredText(ini, "Revision", sink, texts, s.unrestoredKeys);
    s.procName = std::string(firststart::kProcedureName);
    s.authorName = restoredText(ini, "AuthorName", sink, texts, s.unrestoredKeys);

    // One read per option button, in index order; a button set true is
    // selected and clears the others, so the last true one wins. A group
    // left with nothing selected shows its first option.
    constexpr std::array<std::string_view, 3> kPauseDefaults{"1", "0", "0"};
    s.pauseBetweenTests = PostTestWindow::OnFailure;
    for (std::size_t option = 0; option < kPauseDefaults.size(); ++option) {
        if (storedBoolean(readDefaultSetting(ini, "PauseBetweenTests", kPauseDefaults[option])))
            s.pauseBetweenTests = static_cast<PostTestWindow>(option);
    }

    s.addFunctionMessage = storedBoolean(readDefaultSetting(ini, "chk_Add_FUNCTION_Message", "1"));
    s.addRangeMessage = storedBoolean(readDefaultSetting(ini, "chk_Add_RANGE_message", "1"));

    s.lastReferenceIndex =
        clampReferenceIndex(ini.readInt(kKestrelSection, "LastReference_Index", firststart::kReferenceIndex));
    s.lastScopeReferenceIndex = clampScopeReferenceIndex(ini.readInt(kKestrelSection, "LastScopeReference_Index", 0));
    s.topMost = ini.readInt(kKestrelSection, "TopMost", 1) >= 1;
    // Read as the option values are; an empty value counts as none stored.
    for (std::size_t pane = 0; pane < kPaneCount; ++pane)
        if (const std::string shown = readDefaultSetting(ini, kPaneShownKeys[pane], ""); !trim(shown).empty())
            s.paneShown[pane] = storedBoolean(shown);
    return s;
}

bool saveDefaultValues(ProfileFile& ini, const KestrelSettings& settings, MessageSink& sink, const TextLookup& texts)
{
    KestrelSettings s = settings;
    for (const TextSetting& setting : kTextSettings) {
        const std::string problem = saveProblem(setting, s.*setting.member);
        if (problem.empty())
            continue;
        sink.inform(errorReport(
            texts, " save default values ", textWith(texts, kTextValueSavedAsDefault, {setting.key, problem})));
        s.*setting.member = KestrelSettings{}.*setting.member;
    }
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    const std::array<std::pair<std::string_view, std::string>, 12> values{{
        {"ProcName", s.procName},
        {"AuthorName", s.authorName},
        {"Revision", s.revision},
        {"Comments", commentsToFile(s.comments)},
        {"MaxDim", s.maxDim},
        {"UUTAccuracyUnitsListIndex", std::to_string(s.uutAccuracyUnitsListIndex)},
        {"LastReference_Index", std::to_string(s.lastReferenceIndex)},
        {"LastScopeReference_Index", std::to_string(s.lastScopeReferenceIndex)},
        {"chk_Add_FUNCTION_Message", flag(s.addFunctionMessage)},
        {"chk_Add_RANGE_message", flag(s.addRangeMessage)},
        {"DataEntry", std::to_string(static_cast<int>(s.dataEntry))},
        {"Meas_Unc_No_Readings", std::to_string(s.measurements)},
    }};
    // A value that could not be read and that nobody has changed since
    // keeps its line as it was: the user's text is not replaced by a
    // default they never chose.
    const auto keptAsItWas = [&](std::string_view key) {
        if (std::find(s.unrestoredKeys.begin(), s.unrestoredKeys.end(), key) == s.unrestoredKeys.end())
            return false;
        const TextSetting& setting = textSetting(key);
        return s.*setting.member == KestrelSettings{}.*setting.member;
    };
    // One replacement of the file: a failure leaves the old values whole.
    std::vector<std::pair<std::string_view, std::string_view>> entries;
    for (const auto& [key, value] : values)
        if (!keptAsItWas(key))
            entries.emplace_back(key, value);
    if (!ini.writeStrings(kKestrelSection, entries)) {
        sink.inform(errorReport(texts, " save default values ", ini.lastError()));
        return false;
    }
    return true;
}

void applySettings(const KestrelSettings& s, ProcedureInputs& inputs)
{
    inputs.identity.name = s.procName;
    inputs.identity.author = s.authorName;
    inputs.identity.revision = s.revision;
    inputs.identity.comments = s.comments;
    inputs.options.postTestWindow = s.pauseBetweenTests;
    inputs.options.functionMessages = s.addFunctionMessage;
    inputs.options.autoranging = s.addRangeMessage;
    selectReference(
        inputs.selections, kReferences[static_cast<std::size_t>(clampReferenceIndex(s.lastReferenceIndex))]);
    inputs.scope.reference = clampScopeReferenceIndex(s.lastScopeReferenceIndex);
}

KestrelSettings settingsFromInputs(const ProcedureInputs& inputs, KestrelSettings s)
{
    s.procName = inputs.identity.name;
    s.authorName = inputs.identity.author;
    s.revision = inputs.identity.revision;
    s.comments = inputs.identity.comments;
    s.pauseBetweenTests = inputs.options.postTestWindow;
    s.addFunctionMessage = inputs.options.functionMessages;
    s.addRangeMessage = inputs.options.autoranging;
    s.dataEntry = inputs.options.dataEntry;
    s.measurements = inputs.options.measurements;
    s.lastReferenceIndex = std::max(0, referenceIndex(inputs.selections.reference));
    s.lastScopeReferenceIndex = inputs.scope.reference;
    return s;
}

bool writeTopMost(ProfileFile& ini, bool on) { return ini.writeString(kKestrelSection, "TopMost", on ? "1" : "0"); }

bool writePaneShown(ProfileFile& ini, Pane pane, bool shown)
{
    return ini.writeString(kKestrelSection, kPaneShownKeys[static_cast<std::size_t>(pane)], shown ? "1" : "0");
}

} // namespace kestrel
