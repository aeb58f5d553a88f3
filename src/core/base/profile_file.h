#pragma once
// Private-profile (INI) files: "[section]" lines and "key=value" lines.
// Sections and keys compare without regard to case or surrounding blanks,
// values lose their surrounding blanks and one pair of enclosing quotes, and
// lines starting with ";" are comments. The first matching section and the
// first matching key in it win. Reads go through a caller-given buffer
// length as the Windows profile functions do: a 50-character buffer returns
// at most 49 characters. Characters are UTF-8 characters, so a cut never
// splits one.
//
// A file that is not UTF-8 is read in the system's ANSI code page (see
// ansi_code_page.h), as the Windows profile functions would read it, and
// any rewrite saves it as UTF-8 with every line kept.
//
// A file that is missing, unreadable, empty, binary or larger than
// kMaxProfileFileSize reads as if every key were absent. Writing never loses
// the file: the new content goes to a temporary file beside it, which is then
// renamed over the old one, and a file that could not be read completely is
// never rewritten.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace kestrel {

class MessageSink;

// A settings file is a few hundred bytes; anything beyond this is not one.
inline constexpr std::uintmax_t kMaxProfileFileSize = 8u * 1024u * 1024u;

class ProfileFile {
public:
    explicit ProfileFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    // The value of the key, else defaultValue; either cut to
    // bufferLength - 1 characters (nothing for a length of 0).
    std::string readString(
        std::string_view section, std::string_view key, std::string_view defaultValue, std::size_t bufferLength) const;
    // The leading integer of the value (optional sign, digits; 0 when the
    // value starts with anything else, saturated at the int range), else
    // defaultValue when the key is absent or its value empty.
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;

    // Sets key=value in the section, adding the key or the section at the
    // end when absent; every other line stays as it was. Creates the file and
    // its folder when missing. On failure returns false, keeps the old file,
    // sets lastError() and, when a sink is given, tells it the same text.
    bool writeString(
        std::string_view section, std::string_view key, std::string_view value, MessageSink* sink = nullptr);

    // Sets several keys of one section in one replacement of the file, in
    // the order given: the file holds either all of them or none. Nothing is
    // written when any key or value is refused.
    bool writeStrings(std::string_view section, std::span<const std::pair<std::string_view, std::string_view>> entries,
        MessageSink* sink = nullptr);

    // The code page the file's text was read in because it is not UTF-8;
    // 0 when it is UTF-8 (or missing, or not text).
    int ansiCodePage() const;

    // Why the file cannot be read as a settings file ("... is a folder, not
    // a file", "... is UTF-16 text"), or "" when it can or does not exist.
    std::string problem() const;

    // Why the last write failed; empty after a success.
    const std::string& lastError() const { return lastError_; }

private:
    std::filesystem::path path_;
    std::string lastError_;
};

} // namespace kestrel
