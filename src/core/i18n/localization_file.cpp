#include "core/i18n/localization_file.h"

#include "core/base/atomic_file.h"
#include "core/base/path_text.h"
#include "core/base/small_file.h"
#include "core/base/text_util.h"
#include "core/base/user_text.h"

#include <charconv>
#include <set>
#include <system_error>

namespace kestrel {
namespace {

// Some 350 texts of at most 128 characters: a file beyond this is no
// localization file, and reading it whole would only waste memory.
constexpr std::uintmax_t kMaxFileSize = 4u * 1024u * 1024u;

bool isControl(char ch)
{
    const auto c = static_cast<unsigned char>(ch);
    return c < 0x20 || c == 0x7F;
}

bool parseNumber(std::string_view field, int& number)
{
    if (field.empty())
        return false;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), number);
    return ec == std::errc{} && end == field.data() + field.size();
}

} // namespace

std::filesystem::path localizationFileName(int language) { return "Kestrel_" + std::to_string(language) + ".MDB"; }

std::vector<std::filesystem::path> localizationFileCandidates(
    int language, const std::filesystem::path& settingsDir, const std::filesystem::path& programDir)
{
    std::vector<std::filesystem::path> candidates{settingsDir / localizationFileName(language)};
    if (!programDir.empty()) {
        const auto beside = programDir / localizationFileName(language);
        if (beside != candidates.front())
            candidates.push_back(beside);
    }
    return candidates;
}

std::optional<std::filesystem::path> findLocalizationFile(const std::vector<std::filesystem::path>& candidates)
{
    // A symbolic link counts as a file even when what it names is gone: the
    // user put it there for a localization, and reading it says what is wrong.
    for (const auto& candidate : candidates) {
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(candidate, ec)))
            return candidate;
    }
    return std::nullopt;
}

bool unescapeLocalText(std::string_view field, std::string& text, std::string& error)
{
    text.clear();
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char ch = field[i];
        if (isControl(ch)) {
            error = "a control character in the text (write TAB as \\t)";
            return false;
        }
        if (ch != '\\') {
            text += ch;
            continue;
        }
        if (++i == field.size()) {
            error = "a backslash at the end of the text (write it as \\\\)";
            return false;
        }
        switch (field[i]) {
        case '\\':
            text += '\\';
            break;
        case 't':
            text += '\t';
            break;
        case 'n':
        case 'r':
            // A line break in a text would start a line of its own in a
            // procedure, where Tessel reads it as a step or a header line.
            error = std::string("a line break (\\") + field[i] + ") in the text; every text is one line";
            return false;
        default:
            error = std::string("the unknown escape \\") + field[i];
            return false;
        }
    }
    return true;
}

std::string localTextProblem(std::string_view text)
{
    if (!isValidUtf8(text))
        return "is not valid UTF-8";
    if (const std::size_t at = findRefusedCharacter(text, "\t"); at != std::string_view::npos)
        return "holds " + refusedCharacterName(text, at) + "; every text is one line";
    if (charCount(text) > kMaxLocalTextLength)
        return "is longer than " + std::to_string(kMaxLocalTextLength) + " characters";
    return {};
}

std::string escapeLocalText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        switch (ch) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += ch;
        }
    }
    return out;
}

LocalizationReadResult readLocalizationFile(const std::filesystem::path& path)
{
    LocalizationReadResult result;
    const auto fail = [&](std::string why) {
        result.texts.clear();
        // The message quotes the file's bytes: their control characters escaped.
        result.error = escapeForMessage(utf8FromPath(path) + ": " + why);
        return result;
    };
    const SmallFile file = readSmallFile(path, kMaxFileSize);
    if (file.status == SmallFileStatus::TooLarge)
        return fail(file.problem + ", too large for a localization file");
    if (file.status == SmallFileStatus::Missing) {
        std::error_code ec;
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec)))
            return fail("is a symbolic link to " + utf8FromPath(std::filesystem::read_symlink(path, ec)) +
                ", which does not exist");
    }
    if (file.status != SmallFileStatus::Read)
        return fail(file.problem);
    const std::string& content = file.content;

    std::set<int> numbersSeen;
    std::size_t lineNumber = 0;
    bool headerSeen = false;
    for (const std::string_view line : splitLines(content)) {
        ++lineNumber;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (!headerSeen) {
            if (line != kLocalizationHeader)
                return fail("not a Kestrel localization file (the first line must be \"" +
                    std::string(kLocalizationHeader) + "\")");
            headerSeen = true;
            continue;
        }
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            return fail(where + "no TAB between the text number and the text");
        int number = 0;
        if (!parseNumber(line.substr(0, tab), number))
            return fail(where + "\"" + std::string(line.substr(0, tab)) + "\" is not a text number");
        std::string text, why;
        if (!unescapeLocalText(line.substr(tab + 1), text, why))
            return fail(where + why);
        if (const auto problem = localTextProblem(text); !problem.empty())
            return fail(where + "the text of " + std::to_string(number) + " " + problem);
        if (!numbersSeen.insert(number).second)
            return fail(where + "text number " + std::to_string(number) + " appears twice");
        result.texts.emplace_back(number, std::move(text));
    }
    if (!headerSeen)
        return fail("the file is empty");
    return result;
}

bool writeLocalizationFile(
    const std::filesystem::path& path, const std::map<int, std::string>& texts, std::string& error)
{
    std::string content(kLocalizationHeader);
    content += '\n';
    for (const auto& [number, text] : texts) {
        if (isBlank(text))
            continue;
        if (const auto problem = localTextProblem(text); !problem.empty()) {
            error = "the text of " + std::to_string(number) + " " + problem;
            return false;
        }
        content += std::to_string(number) + '\t' + escapeLocalText(text) + '\n';
    }
    return writeFileAtomically(path, content, error);
}

} // namespace kestrel
