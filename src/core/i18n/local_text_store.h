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

    // Populate_Local_Recordset: the English texts of 100 to 1600, then the
    // texts of the first candidate file that exists (Local_File_Present
    // becomes true). A damaged file is reported and leaves the English
    // texts. The file's records are applied in the file's order, blank texts
    // included; one whose number has no built-in text ends the rebuild with
    // a message, keeping the texts applied before it. No file at all is no
    // error and leaves Local_File_Present as it was.
    void populate(const std::vector<std::filesystem::path>& localizationFileCandidates);

    // Gettext: the local text, else the English text, without surrounding
    // blanks. A number held by no record or by more than one gives
    // "Internal Error: Cannot find text string #" + number and "".
    std::string gettext(int number) const override;

    bool localFilePresent() const { return localFilePresent_; }
    void setLocalFilePresent(bool present) { localFilePresent_ = present; }

    // The records in table order: number and local text (nullopt for null).
    std::vector<std::pair<int, std::optional<std::string>>> records() const { return records_; }

    // What the editor's save leaves in the table: only the texts that are
    // not blank, in number order. Gettext reports every other number until
    // the next populate().
    void replaceLocalTexts(const std::map<int, std::string>& texts);

private:
    using Record = std::pair<int, std::optional<std::string>>;
    const Record* find(int number) const;
    Record* find(int number);

    MessageSink& sink_;
    std::vector<Record> records_; // ascending by number
    bool localFilePresent_ = false;
};

} // namespace kestrel
