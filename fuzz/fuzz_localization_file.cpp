// Any bytes as a localization file: reading either fails with an error and
// no texts, or succeeds, and then writing the texts and reading them back
// gives the same texts, blank ones aside. Populating the text store from it
// never crashes.
#include "core/base/message_sink.h"
#include "core/i18n/local_text_store.h"
#include "core/i18n/localization_file.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path scratchFile(const char* tag)
{
    return std::filesystem::temp_directory_path() /
        ("kestrel-fuzz-" + std::string(tag) + "-" + std::to_string(::getpid()) + ".MDB");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto input = scratchFile("input");
    static const auto copy = scratchFile("copy");
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const kestrel::LocalizationReadResult read = kestrel::readLocalizationFile(input);
    if (!read.error.empty() && !read.texts.empty())
        std::abort();
    if (read.error.empty()) {
        // The writer stores by number and leaves blank texts out.
        std::map<int, std::string> expected(read.texts.begin(), read.texts.end());
        std::string error;
        if (!kestrel::writeLocalizationFile(copy, expected, error))
            std::abort();
        std::erase_if(
            expected, [](const auto& entry) { return entry.second.find_first_not_of(' ') == std::string::npos; });
        const auto again = kestrel::readLocalizationFile(copy);
        if (!again.error.empty() || std::map<int, std::string>(again.texts.begin(), again.texts.end()) != expected)
            std::abort();
    }
    kestrel::SilentSink sink;
    kestrel::LocalTextStore store(sink);
    store.populate({input});
    (void)store.gettext(1223);
    return 0;
}
