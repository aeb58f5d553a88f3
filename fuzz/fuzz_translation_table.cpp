// Any bytes as a translator's spreadsheet file: reading either refuses it
// with an error and no texts, or takes local texts that, exported and read
// again, come back the same.
#include "core/i18n/edit_table.h"
#include "core/i18n/translation_table.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const kestrel::TranslationImport read =
        kestrel::readTranslationTable(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.error.empty()) {
        if (!read.locals.empty())
            std::abort();
        return 0;
    }
    kestrel::EditTable table;
    table.setLocals(read.locals);
    const kestrel::TranslationImport again = kestrel::readTranslationTable(kestrel::writeTranslationTable(table));
    if (!again.error.empty())
        std::abort();
    for (const auto& [number, local] : read.locals) {
        const auto it = again.locals.find(number);
        if (it == again.locals.end() || it->second != local)
            std::abort();
    }
    return 0;
}
