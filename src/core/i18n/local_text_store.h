#pragma once
// Local_RS: the table the program's texts are answered from, one record per
// text number with its local text. It starts empty; populate() fills it with
// the built-in English texts and lays the localization file's texts over
// them. A lookup counts only when exactly one record holds the number.
#include "core/i18n/text_lookup.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrel {

class MessageSink;

class LocalTextStore : public TextLookup {
public:
    // Init_Recordset: an empty table.
    explicit LocalTextStore(MessageSink& sink);

    // Populate_Local_Recordset: every built-in English text, then the
    // texts of the first candidate file that exists. A damaged file is
    // reported and leaves the English texts. The file's records are applied
    // in the file's order, a blank text leaving the English one; one whose
    // number has no built-in text ends the rebuild with a message, keeping
    // the texts applied before it. No file at all is no error: the English
    // texts; a symbolic link to nothing is a damaged file.
    void populate(const std::vector<std::filesystem::path>& localizationFileCandidates);

    // Gettext: the local text, else the English text, without surrounding
    // blanks. A number held by no record or by more than one gives
    // "Internal Error: Cannot find text string #" + number and "".
    std::string gettext(int number) const override;

    // Local_File_Present: whether the last populate() found a file, so the
    // localization menu tells which texts are shown and which file Clear
    // deletes (loadedFile()), whatever happened to the files since.
    bool localFilePresent() const { return !loadedFile_.empty(); }

    // The records in table order: number and local text (nullopt for null).
    std::vector<std::pair<int, std::optional<std::string>>> records() const { return records_; }

    // What the editor's save leaves in the table: only the texts that are
    // not blank, in number order. Gettext reports every other number until
    // the next populate().
    void replaceLocalTexts(const std::map<int, std::string>& texts);

    // The file populate() read last, empty when none existed.
    const std::filesystem::path& loadedFile() const { return loadedFile_; }

private:
    using Record = std::pair<int, std::optional<std::string>>;
    const Record* find(int number) const;
    Record* find(int number);

    MessageSink& sink_;
    std::vector<Record> records_; // ascending by number
    std::filesystem::path loadedFile_;
};

} // namespace kestrel
