// Any bytes as a specification file: for every file the reader accepts, the
// viewer's text (its rich-text form read back, lines ended by CR LF) is the
// procedure the clipboard gets, byte for byte.
#include "core/app/create.h"
#include "core/app/spec_file.h"
#include "core/base/message_sink.h"
#include "core/base/text_util.h"
#include "core/i18n/text_lookup.h"
#include "core/viewers/rich_text_form.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrel;
    static const EnglishLookup texts;
    const std::string_view json(reinterpret_cast<const char*>(data), size);
    SpecFileResult read = readSpecFile(json, ".");
    if (!read.inputs)
        return 0;
    ProcedureInputs inputs = std::move(*read.inputs);
    inputs.headerDate = "05-Dec-26";
    SilentSink sink;
    const CreateResult result = createProcedure(inputs, texts, sink);
    if (result.status == CreateStatus::NothingCreated)
        return 0;
    const std::string plain = clipboardForm(result.text);
    const std::string shown = replaceAll(richTextToPlain(viewerForm(result.text)), "\n", "\r\n");
    if (shown != plain) {
        std::fprintf(stderr, "the viewer shows another text\n--- clipboard ---\n%s\n--- viewer ---\n%s\n",
            plain.c_str(), shown.c_str());
        std::abort();
    }
    return 0;
}
