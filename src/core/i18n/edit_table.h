#pragma once
// Edit_RS: the localization editor's own table, one record per built-in
// text with its English text and the translator's local text. It is built
// when the editor opens (the localization file's texts over an empty local
// column) and dropped when it closes, so unsaved edits never outlive it.
#include "core/base/locale_database.h"

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrel {

class TextCollation;

struct EditRecord {
    int number = 0;
    std::string english;              // as built in
    std::optional<std::string> local; // nullopt: no local text
    bool operator==(const EditRecord&) const = default;
};

enum class EditColumn { Number, English, Local };

struct EditSort {
    EditColumn column = EditColumn::Number;
    bool descending = false;
    bool operator==(const EditSort&) const = default;
};

class EditTable {
public:
    // Every built-in text in number order; the file's texts, trimmed, are
    // the local texts (a number without a built-in text is passed over).
    // The local texts sort in the order of the localization's language
    // (a Windows locale identifier).
    explicit EditTable(const std::vector<std::pair<int, std::string>>& fileTexts = {}, int language = kUsEnglishLcid);

    std::size_t size() const { return records_.size(); }
    // Rows in the current sort order.
    const EditRecord& at(std::size_t row) const { return records_.at(row); }
    const std::vector<EditRecord>& records() const { return records_; }
    std::optional<std::size_t> rowOf(int number) const;

    // Returns whether the edit changes what a save writes (a blank text
    // and none both mean "the English text"): the edit that makes the
    // editor dirty.
    bool setLocal(std::size_t row, std::optional<std::string> text);

    // A column-header click: descending by the clicked column unless the
    // table is sorted descending now, then ascending by it. English texts
    // compare without regard to ASCII case, local texts in the language's
    // collation; rows that compare equal stay in number order; rows without
    // a local text come first in ascending order.
    void sortByHeader(EditColumn column);
    const EditSort& sort() const { return sort_; }

    // What a save writes: the local texts that are not blank, by number,
    // exactly as typed (Gettext trims them when it answers).
    std::map<int, std::string> textsToSave() const;

    // Local texts by number, as an import brings them (nullopt clears
    // one); numbers the table does not hold are left out. Returns whether
    // any local text changed.
    bool setLocals(const std::map<int, std::optional<std::string>>& locals);

    // The next row after `from` (wrapping round, `from` itself last) whose
    // number, English or local text contains `needle` without regard to
    // ASCII case.
    std::optional<std::size_t> findRow(std::string_view needle, std::size_t from) const;

private:
    void applySort();

    std::vector<EditRecord> records_;
    EditSort sort_;
    std::shared_ptr<const TextCollation> localOrder_;
};

} // namespace kestrel
