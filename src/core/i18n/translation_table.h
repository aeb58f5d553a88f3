#pragma once
// The editor's table as a translator's spreadsheet: a tab-separated text
// file, so a translation can be made in any spreadsheet program and brought
// back.
//
//     Number<TAB>English<TAB>Local
//     100<TAB>&DMM's<TAB>&Multimeter
//     101<TAB>&Scopes<TAB>
//
// - Written as the common spreadsheets open it without asking: UTF-8 with a
//   byte order mark, lines ending in CR LF, a cell in double quotes (its
//   quotes doubled) when it holds a TAB or a double quote. Texts stand as
//   they are, no escapes: what the translator types in a cell is the text.
// - Read as spreadsheets save it: UTF-8 with or without a byte order mark,
//   or UTF-16 (little- or big-endian) with one ("Unicode text"); lines
//   ending in LF, CR LF or CR; cells quoted or not.
// - The first line names the columns; on reading, a first line whose first
//   cell is not a number is taken for such a line, whatever it says.
// - Every other line: the text number, its English text (only for the
//   translator's eyes: it is not read back) and the local text, which may
//   be missing or empty for "no local text". Empty lines are ignored.
//
// Reading refuses the whole file, naming the line: a file larger than
// 4 MiB or of more than 10000 lines; a line that is not number, English and
// local text; a number that is not a built-in text's or comes twice; a local
// text that holds a line break or is longer than 128 characters.
#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

class EditTable;

// A translation table holds one line per text (some 250 of them); these
// bound what a reader takes for one.
inline constexpr std::size_t kMaxTranslationTableSize = 4 * 1024 * 1024;
inline constexpr std::size_t kMaxTranslationTableLines = 10000;

// Every record of the table in number order, whatever the editor's sort:
// the file's bytes.
std::string writeTranslationTable(const EditTable& table);
// The same into a file, replacing it atomically; false with error set.
bool writeTranslationTableFile(const std::filesystem::path& path, const EditTable& table, std::string& error);

struct TranslationImport {
    // The local text of each number the file lists; nullopt for none.
    std::map<int, std::optional<std::string>> locals;
    std::string error; // "line 12: ..."; empty when the file was read
};

// From the file's bytes.
TranslationImport readTranslationTable(std::string_view bytes);
// From a file; a folder, device or pipe is refused before it is read. The
// error follows the file's name.
TranslationImport readTranslationTableFile(const std::filesystem::path& path);

} // namespace kestrel
