#include "core/base/text_encoding.h"

#include "core/base/text_util.h"

namespace kestrel {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

DecodedText fromUtf16(std::string_view bytes, bool bigEndian)
{
    DecodedText decoded;
    if (bytes.size() % 2 != 0) {
        decoded.error = "ends in the middle of a UTF-16 character";
        return decoded;
    }
    const auto unit = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    decoded.utf8.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size(); at += 2) {
        char32_t code = unit(at);
        if (code >= 0xD800 && code <= 0xDBFF && at + 2 < bytes.size()) {
            const char32_t low = unit(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            }
        }
        if (code >= 0xD800 && code <= 0xDFFF) {
            decoded.utf8.clear();
            decoded.error = "holds half a UTF-16 character (an unpaired surrogate) at byte " + std::to_string(at + 2);
            return decoded;
        }
        appendUtf8(decoded.utf8, code);
    }
    return decoded;
}

} // namespace

DecodedText decodeTextBytes(std::string_view bytes)
{
    if (bytes.substr(0, kUtf16LeBom.size()) == kUtf16LeBom)
        return fromUtf16(bytes.substr(kUtf16LeBom.size()), false);
    if (bytes.substr(0, kUtf16BeBom.size()) == kUtf16BeBom)
        return fromUtf16(bytes.substr(kUtf16BeBom.size()), true);
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        bytes.remove_prefix(kUtf8Bom.size());
    // NUL bytes are what UTF-16 without its byte order mark looks like.
    if (!isValidUtf8(bytes) || bytes.find('\0') != std::string_view::npos)
        return {{}, "is neither UTF-8 nor UTF-16 with a byte order mark (save it as UTF-8 or as Unicode text)"};
    return {std::string(bytes), {}};
}

} // namespace kestrel
