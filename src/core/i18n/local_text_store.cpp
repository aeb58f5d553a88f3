#include "core/i18n/local_text_store.h"

#include "core/base/message_sink.h"
#include "core/base/text_util.h"
#include "core/i18n/english_texts.h"
#include "core/i18n/localization_file.h"

#include <algorithm>
#include <utility>

namespace kestrel {

LocalTextStore::LocalTextStore(MessageSink& sink) : sink_(sink) { }

void LocalTextStore::populate(const std::vector<std::filesystem::path>& localizationFileCandidates)
{
    records_.clear();
    loadedFile_.clear();
    for (const EnglishText& entry : englishTexts())
        records_.emplace_back(entry.number, std::string(entry.text));

    const std::optional<std::filesystem::path> file = findLocalizationFile(localizationFileCandidates);
    if (!file)
        return;
    loadedFile_ = *file;

    const auto report = [&](const std::string& description) {
        sink_.inform(errorReport(*this, "Populate local rs ", description));
    };
    const LocalizationReadResult read = readLocalizationFile(*file);
    if (!read.error.empty()) {
        report(read.error);
        return;
    }
    // In the file's order: a number without a built-in text ends the rebuild,
    // and what was copied before it stays. A blank text keeps the English
    // one, as the editor treats it: a procedure line never loses its text
    // (an empty HEAD {} section) to a translator's unfinished line.
    for (const auto& [number, text] : read.texts) {
        Record* record = find(number);
        if (!record) {
            report(file->string() + ": text number " + std::to_string(number) + " has no built-in text");
            return;
        }
        if (!isBlank(text))
            record->second = text;
    }
}

std::string LocalTextStore::gettext(int number) const
{
    // The records are kept in ascending number order, one per number, so a
    // keyed search finds the only record there can be.
    const auto found = find(number);
    if (!found) {
        sink_.inform("Internal Error: Cannot find text string #" + std::to_string(number));
        return {};
    }
    if (found->second)
        return trim(*found->second);
    const auto english = englishText(number);
    return english ? trim(*english) : std::string{};
}

const LocalTextStore::Record* LocalTextStore::find(int number) const
{
    const auto it =
        std::lower_bound(records_.begin(), records_.end(), number, [](const Record& r, int n) { return r.first < n; });
    return it != records_.end() && it->first == number ? &*it : nullptr;
}

LocalTextStore::Record* LocalTextStore::find(int number)
{
    return const_cast<Record*>(std::as_const(*this).find(number));
}

void LocalTextStore::replaceLocalTexts(const std::map<int, std::string>& texts)
{
    records_.clear();
    for (const auto& [number, text] : texts)
        if (!isBlank(text))
            records_.emplace_back(number, text);
}

} // namespace kestrel
