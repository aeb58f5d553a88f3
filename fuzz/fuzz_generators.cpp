// Any bytes as a specification file: whatever the reader accepts goes
// through Create under both decimal separators and with and without the
// amplifiers, and the procedure must keep the properties every procedure
// has (procedure_properties.h). A generator that fails midway must still
// write whole CR LF lines without control characters.
#include "core/app/create.h"
#include "core/app/spec_file.h"
#include "core/i18n/english_texts.h"
#include "core/i18n/text_lookup.h"
#include "fuzz/procedure_properties.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void fail(const std::string& problem, const std::string& text)
{
    std::fprintf(stderr, "property broken: %s\n--- procedure ---\n%s\n", problem.c_str(), text.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrel;
    static const EnglishLookup texts;
    static const std::string notePrefix = "# Note: The following tests are performed manually";
    const std::string_view json(reinterpret_cast<const char*>(data), size);
    for (const std::string_view separator : {std::string_view("."), std::string_view(",")}) {
        SpecFileResult read = readSpecFile(json, separator);
        if (!read.inputs)
            continue;
        ProcedureInputs inputs = std::move(*read.inputs);
        inputs.headerDate = "05-Dec-26";
        for (const bool amplifiers : {false, true}) {
            inputs.has7625 = inputs.has3711 = amplifiers;
            SilentSink sink;
            const CreateResult result = createProcedure(inputs, texts, sink);
            std::vector<std::string_view> lines;
            if (result.status == CreateStatus::Failed) {
                std::string problem = properties::splitCrLfLines(result.text, lines);
                if (problem.empty())
                    problem = properties::controlCharacterProblem(lines);
                if (!problem.empty())
                    fail(problem, result.text);
            } else if (result.status == CreateStatus::Created) {
                const std::string problem =
                    properties::procedureProblem(clipboardForm(result.text), inputs.page == Page::Scope, notePrefix);
                if (!problem.empty())
                    fail(problem, result.text);
            }
        }
    }
    return 0;
}
