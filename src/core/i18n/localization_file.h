#pragma once
// The localization file Kestrel_<language>.MDB: the local texts of one
// language, one record (String_Number, Local_Text) for each text that has a
// non-empty local text. Despite its extension it is a plain UTF-8
// text file that a translator can read and edit:
//
//     Kestrel localization 1
//     # lines starting with "#" and empty lines are ignored
//     1223<TAB>&Erstellen
//     1270<TAB>UUT-Funktion einstellen auf
//
// - The first line (after an optional UTF-8 byte order mark) is exactly
//   "Kestrel localization 1", the format's name and version.
// - Every other line is a text number in decimal (a 32-bit signed integer),
//   one TAB, and the local text up to the end of the line. Blanks in the text
//   are kept. Inside the text "\\" stands for a backslash and "\t" for a
//   TAB; no other escape exists and no control character may appear raw.
//   A text is one line: every text goes into a message box or a procedure
//   line, where a line break ("\n", "\r") would start a line of its own.
// - Lines end with LF; a CR before the LF is accepted on reading.
// - A number appears at most once; texts are valid UTF-8 of at most 128
//   characters (the width of the Local_Text field). An empty or all-blank
//   text means the English text, as it does in the editor, which never
//   writes one; a translator may.
//
// A file that breaks any of these rules is rejected whole with an error that
// names the line, so the English texts stay in force. Writing goes to a
// temporary file beside the target that is renamed over it, so a failed save
// never leaves a half-written file.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrel {

inline constexpr std::string_view kLocalizationHeader = "Kestrel localization 1";
inline constexpr std::size_t kMaxLocalTextLength = 128;

// "Kestrel_1031.MDB".
std::filesystem::path localizationFileName(int language);
// Where a language's file is looked for, in order: the settings folder
// first (where the editor saves it: the user can always write there, unlike
// the program's folder), then beside the program (skipped when programDir
// is empty).
std::vector<std::filesystem::path> localizationFileCandidates(
    int language, const std::filesystem::path& settingsDir, const std::filesystem::path& programDir);
// The file the texts come from: the first candidate that exists, a
// symbolic link counting even when it dangles (reading it then fails and
// says so); nullopt when none does.
std::optional<std::filesystem::path> findLocalizationFile(const std::vector<std::filesystem::path>& candidates);

struct LocalizationReadResult {
    std::vector<std::pair<int, std::string>> texts; // in the file's order; empty when error is set
    std::string error;                              // empty on success
};

LocalizationReadResult readLocalizationFile(const std::filesystem::path& path);

// Writes the texts that are not blank; false with error set (and the old
// file untouched) when a text is too long or not UTF-8 or the file cannot be
// written.
bool writeLocalizationFile(
    const std::filesystem::path& path, const std::map<int, std::string>& texts, std::string& error);

// The escaped form of a text as the file stores it, and back: false with
// error set for a raw control character, a line break escape ("\n", "\r")
// or an unknown escape.
std::string escapeLocalText(std::string_view text);
bool unescapeLocalText(std::string_view field, std::string& text, std::string& error);
// Why a text cannot be a local text ("is not valid UTF-8", "holds the
// control character U+000D", "is longer than 128 characters"); empty when
// it can.
std::string localTextProblem(std::string_view text);

} // namespace kestrel
