#pragma once
// Text order as the people of a language expect it: "Übung" beside "Uhr"
// in German, "Öl" after "Zeit" in Swedish, where byte order would put every
// accented letter after "z". ICU's collation on POSIX systems, the system's
// own (CompareStringEx) on Windows; where neither knows the language, the
// order of Unicode's default collation, and byte order when the platform
// cannot compare at all.
#include <memory>
#include <string_view>

namespace kestrel {

class TextCollation {
public:
    // The collation of a language, by Windows locale identifier (1031).
    explicit TextCollation(int lcid);
    ~TextCollation();
    TextCollation(const TextCollation&) = delete;
    TextCollation& operator=(const TextCollation&) = delete;

    // -1, 0 or 1 as a (UTF-8) sorts before, with or after b. Texts that
    // differ only in what the language counts as no difference compare 0.
    int compare(std::string_view a, std::string_view b) const;

private:
    struct Platform;
    std::unique_ptr<Platform> platform_;
};

} // namespace kestrel
