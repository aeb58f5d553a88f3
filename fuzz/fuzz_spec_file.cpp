// Specification files from untrusted hands: any byte sequence is either
// refused with a message or read into a model that writes and reads back
// to the same model, whatever the locale's separator.
#include "core/app/spec_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const std::string_view sep : {std::string_view("."), std::string_view(",")}) {
        const kestrel::SpecFileResult r = kestrel::readSpecFile(text, sep);
        if (!r.inputs) {
            if (r.error.empty())
                __builtin_trap();
            continue;
        }
        const kestrel::SpecFileResult again = kestrel::readSpecFile(kestrel::writeSpecFile(*r.inputs), sep);
        if (!again.inputs || !(*again.inputs == *r.inputs))
            __builtin_trap();
    }
    return 0;
}
