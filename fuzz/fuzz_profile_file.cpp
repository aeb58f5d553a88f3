// Any bytes as an INI file: reading must neither crash nor hang, and a
// write must leave a file in which the written value reads back while a key
// of another section keeps its value.
#include "core/base/profile_file.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path scratchFile()
{
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("kestrel-fuzz-profile-" + std::to_string(::getpid()) + ".ini");
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto path = scratchFile();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    kestrel::ProfileFile ini(path);
    (void)ini.readString("Kestrel", "MaxDim", "100.0", 50);
    (void)ini.readString("startup", "accdir", "", 255);
    (void)ini.readInt("Kestrel", "TopMost", 1);
    (void)ini.readInt("Kestrel", "LastReference_Index", 1);

    const std::string otherBefore = ini.readString("startup", "config", "<none>", 255);
    if (!ini.writeString("Kestrel", "Revision", "2.5"))
        std::abort(); // any file this small must be writable
    if (ini.readString("Kestrel", "Revision", "", 50) != "2.5")
        std::abort();
    if (ini.readString("startup", "config", "<none>", 255) != otherBefore)
        std::abort();
    return 0;
}
