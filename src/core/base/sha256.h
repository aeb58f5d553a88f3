#pragma once
// SHA-256 (FIPS 180-4): the fingerprint a run record gives every input and
// output, so that an auditor can tell whether a file is the one recorded.
// Small enough to keep here rather than bring in a library for it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

class Sha256 {
public:
    Sha256();
    // Adds bytes; may be called any number of times before digest().
    void update(std::string_view bytes);
    // The 32 bytes of the digest; the object is spent afterwards.
    std::array<std::uint8_t, 32> digest();

private:
    void block(const std::uint8_t* data);
    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> buffer_{};
    std::size_t buffered_ = 0;
    std::uint64_t length_ = 0; // bytes seen
};

// The digest of the bytes in 64 lower-case hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

// The digest of a file's bytes in hexadecimal, read in pieces; nullopt with
// error set when the file cannot be opened or read.
std::optional<std::string> fileSha256Hex(const std::filesystem::path& path, std::string& error);

} // namespace kestrel
