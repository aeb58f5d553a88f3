#include "core/viewers/help_files.h"

#include "core/base/text_util.h"
#include "core/i18n/text_numbers.h"
#include "core/viewers/file_lists.h"

namespace kestrel {
namespace {

// Reference help reads at most this much of the caret's line.
constexpr std::size_t kLineReadLimit = 255;
// The FSC column of a step line: characters 10 to 16.
constexpr std::size_t kFscFrom = 9;
constexpr std::size_t kFscWidth = 7;
// Tessel's own help, for a blank FSC column and for an FSC without help.
constexpr std::string_view kGeneralHelpFile = "tessel.hlp";

std::string stem(std::string_view fileName) { return std::string(fileName.substr(0, fileName.find('.'))); }

} // namespace

std::string calibratorHelpFile(std::string_view standard) { return charSubstr(standard, 0, 4) + ".hlp"; }
std::string calibratorAccuracyFile(std::string_view standard) { return charSubstr(standard, 0, 4) + ".acc"; }

std::optional<std::string> referenceHelpFile(std::string_view line)
{
    const std::string text = charSubstr(line, 0, kLineReadLimit);
    if (startsWith(text, "#"))
        return std::nullopt;
    std::string fsc = trim(charSubstr(text, kFscFrom, kFscWidth));
    if (fsc.empty())
        return std::string(kGeneralHelpFile);
    if (fsc == "ASK-" || fsc == "ASK+")
        fsc = "ASK";
    return fsc + ".hlp";
}

LineHelp lineHelp(std::string_view line, const std::vector<std::string>& helpFiles)
{
    const std::optional<std::string> wanted = referenceHelpFile(line);
    if (!wanted)
        return {};
    if (const int own = findListEntry(helpFiles, *wanted); own >= 0)
        return {helpFiles[static_cast<std::size_t>(own)], {}};
    LineHelp help;
    help.missingFsc = stem(*wanted);
    if (const int general = findListEntry(helpFiles, kGeneralHelpFile); general >= 0)
        help.file = helpFiles[static_cast<std::size_t>(general)];
    return help;
}

std::string twinHelpFile(std::string_view helpFile)
{
    const std::string name = toLower(helpFile);
    return std::string("m").append(name == "7300.hlp" ? std::string_view("730.hlp") : std::string_view(name));
}

std::string helpPaneTitle(std::string_view helpFile, const TextLookup& texts)
{
    return textWith(texts, kTextHelpPaneTitle, {stem(toLower(helpFile))});
}

std::string twinPaneTitle(std::string_view helpFile, const TextLookup& texts)
{
    // The twin name without its "m", shown with a capital "M".
    return textWith(texts, kTextHelpPaneTitle, {"M" + stem(twinHelpFile(helpFile).substr(1))});
}

bool opensOutsideViewer(std::string_view helpFile) { return toLower(helpFile) == "confedit.hlp"; }

} // namespace kestrel
