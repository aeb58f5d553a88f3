#include "cli/texts_command.h"

#include "cli/arguments.h"
#include "cli/exit_status.h"
#include "core/app/session.h"
#include "core/base/message_sink.h"
#include "core/i18n/local_text_store.h"
#include "core/i18n/localization_file.h"

#include <ostream>

namespace kestrel::cli {
namespace {

void printHelp(std::ostream& out)
{
    out << "Usage: kestrel-cli texts [--lcid N] [--config-dir DIR]\n"
           "Prints every text of the program as its number, a TAB and the text, one\n"
           "line each. Where the localization file holds a local text, that text is\n"
           "printed, else the built-in English text. TAB and backslash inside a text\n"
           "are written as \\t and \\\\, so the lines can be edited and saved below the\n"
           "line \""
        << kLocalizationHeader
        << "\" as a localization file.\n\n"
           "Options:\n"
           "  --lcid N          language number of the localization file Kestrel_N.MDB\n"
           "                    (default: "
        << kHelpLanguageDefault
        << ")\n"
           "  --config-dir DIR  folder searched first for the localization file\n"
           "                    (default: "
        << kHelpConfigDirDefault
        << ");\n"
           "                    the program's own folder is searched next\n"
           "  --help            this text\n\n"
        << exitStatusHelp("texts");
}

} // namespace

int TextsCommand::execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    SharedOptions shared;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (isHelpSwitch(arg)) {
            printHelp(out);
            return kExitOk;
        }
        std::string why;
        if (takeSharedOption(args, i, kLcidOption | kConfigDirOption, shared, why)) {
            if (!why.empty())
                return usage(err, name(), why);
            continue;
        }
        return usage(err, name(), "unknown argument \"" + arg + "\"");
    }
    // --lcid names the language of the localization file.
    StartUpEnvironment environment = shared.environment();
    if (shared.lcid)
        environment.userDefaultLanguage = *shared.lcid;

    StreamSink sink(err, "texts");
    LocalTextStore store(sink);
    store.populate(
        localizationFileCandidates(environment.userDefaultLanguage, environment.configDir, environment.programDir));
    for (const auto& [number, localText] : store.records())
        out << number << '\t' << escapeLocalText(store.gettext(number)) << '\n';
    return sink.count() == 0 ? kExitOk : kExitUnreadableFile;
}

} // namespace kestrel::cli
