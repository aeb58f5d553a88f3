#pragma once
// The program's texts as they stand at one moment, for work done on
// another thread than the one that may change them (the localization
// editor saves, a new populate): a copy of the local text store's records
// that answers as the store does, without its reports (a number held by
// no record gives "", as the store gives after its report).
#include "core/i18n/local_text_store.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrel {

class TextSnapshot : public TextLookup {
public:
    explicit TextSnapshot(const LocalTextStore& store) : records_(store.records()) { }
    std::string gettext(int number) const override;

private:
    std::vector<std::pair<int, std::optional<std::string>>> records_; // ascending by number
};

} // namespace kestrel
