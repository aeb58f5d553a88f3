#pragma once
// What every field of a specification holds on a first start of Kestrel,
// each stated once. The inputs start with these values, so they are also
// what a specification file that leaves a key out reads as, what "New"
// and a sample start from, and what the settings hold before any is saved.
// Lists are given by entry index; their entries are listed with the lists
// (standards.h, scope_inputs.h).
#include "core/spec/page.h"
#include "core/spec/procedure_choices.h"

#include <string_view>

namespace kestrel::firststart {

inline constexpr Page kPage = Page::Meter;

// The procedure's identity.
inline constexpr std::string_view kProcedureName = "Enter Name";
inline constexpr std::string_view kAuthor = "Enter your name";
inline constexpr std::string_view kRevision = "1.0";
// The comments are empty.

// The options.
inline constexpr ToleranceStyle kToleranceStyle = ToleranceStyle::AsWritten;
inline constexpr bool kFunctionMessages = true;
inline constexpr bool kAutoranging = true;
inline constexpr PostTestWindow kPostTestWindow = PostTestWindow::OnFailure;
inline constexpr bool kOperatorButton = true; // each of list, cancel and repeat
inline constexpr DataEntry kDataEntry = DataEntry::Keyboard;
inline constexpr bool kTurChecking = true;
inline constexpr int kMeasurements = 1; // the list's index, which is its number

// The meter's standard and lists.
inline constexpr int kReferenceIndex = 1;                      // "3302"
inline constexpr std::string_view kTcType = "J";               // the list's selection after a fill
inline constexpr std::string_view kRtdType = "100 ohm Pt 385"; // the list's first entry
inline constexpr int kTempScaleIndex = 0;                      // "°C"

// The oscilloscope inputs. The risetime limit, the three impedance
// accuracies and the capacitance are empty.
inline constexpr int kScopeReferenceIndex = 0; // "7300 - 300 Mhz"
inline constexpr int kChannelsIndex = 0;       // 4 channels
inline constexpr int kVertGainLowIndex = 4;    // "2 mv/div"
inline constexpr int kVertGainHighIndex = 0;   // "5 v/div"
inline constexpr std::string_view kVerticalAccuracy = "2.0";
inline constexpr int kSweepFastIndex = 0; // "1 ns/div"
inline constexpr int kSweepSlowIndex = 6; // "5 s/div"
inline constexpr std::string_view kTimebaseAccuracy = "0.01";
inline constexpr std::string_view kBandwidth = "200"; // MHz
inline constexpr bool kRisetimeTest = false;
inline constexpr bool kImpedanceTest = false;

} // namespace kestrel::firststart
