#pragma once
// The editor's table as a translator's spreadsheet: a UTF-8 text file of
// tab-separated columns, so a translation can be made in any spreadsheet
// program and brought back.
//
//     Number<TAB>English<TAB>Local
//     100<TAB>&DMM's<TAB>&Multimeter
//     101<TAB>&Scopes<TAB>
//
// - The first line names the columns; on reading, a first line whose first
//   field is not a number is taken for such a line, whatever it says.
// - Every other line: the text number, its English text (only for the
//   translator's eyes: it is not read back) and the local text, which may
//   be missing or empty for "no local text". Empty lines are ignored.
// - Inside a text "\\", "\t", "\n" and "\r" stand for a backslash, a TAB, a
//   line feed and a carriage return, as in the localization file. A field
//   that contains a double quote is written in double quotes with its
//   quotes doubled, as spreadsheets write it; such a field is read back the
//   same way.
// - Lines end with LF; CR LF and a byte order mark are accepted on reading.
//
// Reading refuses the whole file at its first bad line, naming the line: a
// line that is not number, English and local text; a number that is not a
// built-in text's or comes twice; a local text that is not valid UTF-8 or
// longer than 128 characters.
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

class EditTable;

// Every record of the table in number order, whatever the editor's sort.
std::string writeTranslationTable(const EditTable& table);

struct TranslationImport {
    // The local text of each number the file lists; nullopt for none.
    std::map<int, std::optional<std::string>> locals;
    std::string error; // "line 12: ..."; empty when the file was read
};

TranslationImport readTranslationTable(std::string_view content);

} // namespace kestrel
