#include "cli/sample_command.h"

#include "cli/arguments.h"
#include "cli/exit_status.h"
#include "core/app/spec_file.h"
#include "core/i18n/text_lookup.h"
#include "core/spec/samples.h"

#include <ostream>

namespace kestrel::cli {
namespace {

void printSampleHelp(std::ostream& out)
{
    out << "Usage: kestrel-cli sample NAME\n"
           "Writes the built-in sample NAME as a specification file to standard output:\n"
           "the specification as the sample button loads it into an empty program, with\n"
           "\".\" as decimal mark and the English comment text. Redirect it into a file to\n"
           "edit it or to create a procedure from it.\n\n"
           "Names: ";
    bool first = true;
    for (const auto& s : samples()) {
        out << (first ? "" : ", ") << s.name;
        first = false;
    }
    out << "\n(kestrel-cli samples lists them with their descriptions in verbose mode).\n\n"
           "Options:\n"
           "  --help  this text\n\n"
        << exitStatusHelp("sample");
}

void printSamplesHelp(std::ostream& out)
{
    out << "Usage: kestrel-cli samples [--verbose]\n"
           "Lists the names of the built-in samples, one per line, in the order of the\n"
           "sample buttons; 'kestrel-cli sample NAME' writes one of them.\n\n"
           "Options:\n"
           "  --verbose, -v  add a TAB and the sample's description to each name\n"
           "  --help         this text\n\n"
        << exitStatusHelp("samples");
}

} // namespace

int SampleCommand::execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    for (const auto& arg : args) {
        if (isHelpSwitch(arg)) {
            printSampleHelp(out);
            return kExitOk;
        }
    }
    if (args.size() != 1)
        return usage(err, name(), args.empty() ? "which sample? Name one" : "name one sample only");
    if (!args[0].empty() && args[0][0] == '-')
        return usage(err, name(), "unknown option \"" + args[0] + "\"");
    const SampleDefinition* sample = findSample(args[0]);
    if (!sample)
        return usage(err, name(), "no sample is called \"" + args[0] + "\"; 'kestrel-cli samples' lists them");
    ProcedureInputs inputs;
    loadSample(*sample, inputs, EnglishLookup{});
    out << writeSpecFile(inputs);
    return kExitOk;
}

int SamplesCommand::execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    bool verbose = false;
    for (const auto& arg : args) {
        if (isHelpSwitch(arg)) {
            printSamplesHelp(out);
            return kExitOk;
        }
        if (arg == "--verbose" || arg == "-v")
            verbose = true;
        else
            return usage(err, name(), "unknown argument \"" + arg + "\"");
    }
    for (const auto& s : samples()) {
        out << s.name;
        if (verbose)
            out << '\t' << englishLookup().gettext(s.descriptionText);
        out << '\n';
    }
    return kExitOk;
}

} // namespace kestrel::cli
