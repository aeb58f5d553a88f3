// Any bytes as Kestrel.INI: what start-up restores into the window's inputs
// must give a procedure of CR LF lines without a control or invisible
// character, and the inputs must come back the same through Save and Open
// (a specification file written and read).
#include "core/app/create.h"
#include "core/app/kestrel_settings.h"
#include "core/app/procedure_inputs.h"
#include "core/app/spec_file.h"
#include "core/base/message_sink.h"
#include "core/base/user_text.h"
#include "core/i18n/text_lookup.h"
#include "fuzz/procedure_properties.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void fail(const std::string& problem, const std::string& text)
{
    std::fprintf(stderr, "property broken: %s\n--- text ---\n%s\n", problem.c_str(), text.c_str());
    std::abort();
}

std::filesystem::path scratchFile()
{
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("kestrel-fuzz-settings-" + std::to_string(::getpid()) + ".ini");
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrel;
    static const EnglishLookup texts;
    {
        std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const KestrelSettings settings = readDefaultValues(ProfileFile(scratchFile()));
    ProcedureInputs inputs;
    applySettings(settings, inputs);
    inputs.headerDate = "05-Dec-26";
    // Something to write, so that the restored header and comments appear.
    inputs.meter.table(MeterFunction::Dcv).setCell(RowRange, 0, "2");

    SilentSink sink;
    const CreateResult result = createProcedure(inputs, texts, sink);
    if (result.status == CreateStatus::Created || result.status == CreateStatus::Failed) {
        const std::string plain = clipboardForm(result.text);
        std::vector<std::string_view> lines;
        std::string problem = properties::splitCrLfLines(plain, lines);
        if (problem.empty())
            problem = properties::controlCharacterProblem(lines);
        if (problem.empty()) {
            // TAB stands in comments as typed; nothing else may hide in a line.
            for (const std::string_view line : lines)
                if (const std::size_t at = findRefusedCharacter(line, "\t"); at != std::string_view::npos) {
                    problem = "a line holds " + refusedCharacterName(line, at);
                    break;
                }
        }
        if (!problem.empty())
            fail(problem, plain);
    }

    const std::string saved = writeSpecFile(inputs);
    const SpecFileResult opened = readSpecFile(saved, inputs.decimalSeparator);
    if (!opened.inputs)
        fail("Open refuses what Save wrote: " + opened.error, saved);
    ProcedureInputs reopened = *opened.inputs;
    reopened.headerDate = inputs.headerDate;
    if (!(reopened.identity == inputs.identity) || !(reopened.options == inputs.options) ||
        !(reopened.selections == inputs.selections))
        fail("Open reads back other inputs than Save wrote", saved);
    return 0;
}
