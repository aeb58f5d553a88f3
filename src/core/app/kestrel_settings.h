#pragma once
// Kestrel.INI, section [Kestrel]: the defaults restored at start-up and
// saved at exit. Every value in the file is text; the struct holds what the
// main window binds to its controls.
#include "core/base/profile_file.h"
#include "core/i18n/text_lookup.h"
#include "core/spec/procedure_options.h"
#include "core/spec/standards.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

class MessageSink;
struct ProcedureInputs;

inline constexpr std::string_view kKestrelSection = "Kestrel";
// Kestrel.INI values are read through a 50-character buffer.
inline constexpr std::size_t kSettingsBufferLength = 50;

// The panes beside the pages, each shown or hidden by its menu entry.
enum class Pane { Preview, Coverage };
inline constexpr std::size_t kPaneCount = 2;
// Their Kestrel.INI keys, by Pane.
inline constexpr std::array<std::string_view, kPaneCount> kPaneShownKeys{"PreviewShown", "CoverageShown"};

struct KestrelSettings {
    bool topMost = true;
    // Each pane's last choice, by Pane; none stored: the window decides by
    // the screen's width.
    std::array<std::optional<bool>, kPaneCount> paneShown{};
    std::string maxDim = "100.0";
    int unitsListIndex = 1;
    std::string unitsText = "PSI";
    std::string comments; // line breaks as CR LF
    std::string revision = std::string(firststart::kRevision);
    std::string authorName = std::string(firststart::kAuthor);
    std::string procName = std::string(firststart::kProcedureName);
    PostTestWindow pauseBetweenTests = firststart::kPostTestWindow;
    bool addFunctionMessage = firststart::kFunctionMessages;
    bool addRangeMessage = firststart::kAutoranging;
    int uutAccuracyUnitsListIndex = 0;
    int lastReferenceIndex = firststart::kReferenceIndex;           // 0..11
    int lastScopeReferenceIndex = firststart::kScopeReferenceIndex; // 0..9
    DataEntry dataEntry = firststart::kDataEntry;                   // saved as the selected option's index
    int measurements = firststart::kMeasurements;                   // `Meas_Unc_No_Readings`: its index is its text
    // The text keys whose stored values could not be restored (their
    // defaults stand in): saving leaves their lines as they are until the
    // user sets another value.
    std::vector<std::string> unrestoredKeys{};

    bool operator==(const KestrelSettings&) const = default;
};

// ReadDefaultSettings: one value of [Kestrel], at most 49 characters.
std::string readDefaultSetting(const ProfileFile& ini, std::string_view key, std::string_view defaultValue);

// Read_Default_Values together with the reads start-up does elsewhere
// (TopMost, PreviewShown, CoverageShown, LastReference_Index clamped to 0..11,
// LastScopeReference_Index clamped to 0..9). ProcName is never read: every start begins with
// "Enter Name". Keys that are only written keep their defaults. A text
// value that a specification file could not hold in its place (a control,
// invisible or direction-changing character; in the comments a CR without
// LF) keeps its default, and the sink, when given, is told which key (in
// the words of `texts`), and the key is listed in unrestoredKeys. A file
// read in the ANSI code page (it is not UTF-8) is told to the sink once.
KestrelSettings readDefaultValues(
    const ProfileFile& ini, MessageSink* sink = nullptr, const TextLookup& texts = englishLookup());

// Save_Default_Values: writes ProcName, AuthorName, Revision, Comments,
// MaxDim, UUTAccuracyUnitsListIndex, LastReference_Index,
// LastScopeReference_Index, chk_Add_FUNCTION_Message,
// chk_Add_RANGE_message, DataEntry, Meas_Unc_No_Readings in this order.
// A text value that cannot be saved as it is (a line break in a one-line
// value, a control character) is saved as its default, with "Error:" +
// " save default values " + which key and why on the sink; the rest is
// saved. A key in unrestoredKeys that still holds its default is not
// written: its line stays as it was.
// The keys go in with one replacement of the file: a failed write ends the
// save with the same words and its description, leaves every old value in
// place and returns false.
bool saveDefaultValues(ProfileFile& ini, const KestrelSettings& settings, MessageSink& sink, const TextLookup& texts);

// TopMost as the menu toggle writes it: "1" or "0".
bool writeTopMost(ProfileFile& ini, bool on);
// A pane's key (PreviewShown, CoverageShown) as its toggle writes it: "1" or "0".
bool writePaneShown(ProfileFile& ini, Pane pane, bool shown);

// The restored defaults as the procedure inputs hold them: identity,
// options, the chosen standards (the sensor lists refilled for the meter
// standard with their first choices). DataEntry, the number of measurements
// and the mechanical page's values are saved but never restored, so they
// keep what the inputs hold.
void applySettings(const KestrelSettings& settings, ProcedureInputs& inputs);

// The values Save_Default_Values writes, taken from the inputs; what the
// inputs do not hold (always-on-top and the mechanical page) comes from
// `window`, the settings as the window holds them.
KestrelSettings settingsFromInputs(const ProcedureInputs& inputs, KestrelSettings window);

// "~" stands for a line break in the file.
std::string commentsFromFile(std::string_view stored);
std::string commentsToFile(std::string_view comments);

} // namespace kestrel
