#include "cli/batch_outputs.h"

#include "core/base/file_identity.h"
#include "core/base/file_name_folding.h"
#include "core/base/path_text.h"
#include "core/base/text_util.h"
#include "core/base/user_text.h"

#include <map>
#include <string_view>
#include <system_error>

namespace kestrel::cli {
namespace {

constexpr std::string_view kSpecFileEnding = ".kestrel.json";

std::string quoted(const std::string& text) { return "\"" + escapeForMessage(text) + "\""; }

// Who holds a file the batch reads or writes.
struct Holder {
    bool output = false;
    std::size_t file = 0; // index into the files named
};

} // namespace

std::string batchOutputName(const std::filesystem::path& file, bool rtf)
{
    std::string name = utf8FromPath(file.filename());
    if (name.size() > kSpecFileEnding.size() && toLower(name).ends_with(kSpecFileEnding))
        name.resize(name.size() - kSpecFileEnding.size());
    else
        name = utf8FromPath(file.filename().stem());
    return name + (rtf ? ".rtf" : ".txt");
}

std::string batchOutputsProblem(const std::vector<std::string>& files, const std::filesystem::path& outDir, bool rtf)
{
    // One look at every input and every output, each kept by its identity,
    // so that a thousand files cost a thousand looks, not a million.
    std::map<FileIdentity, Holder> held;
    for (std::size_t i = 0; i < files.size(); ++i)
        if (const auto identity = fileIdentity(pathFromUtf8(files[i])))
            held.try_emplace(*identity, Holder{false, i}); // an input named twice is read twice, harmlessly

    std::map<std::string, std::size_t> names; // folded output name -> first file
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string name = batchOutputName(pathFromUtf8(files[i]), rtf);
        const auto [first, fresh] = names.try_emplace(foldedFileName(name), i);
        if (!fresh)
            return quoted(files[first->second]) + " and " + quoted(files[i]) + " would both be written to " +
                escapeForMessage(name);
        const std::filesystem::path output = outDir / pathFromUtf8(name);
        const auto identity = fileIdentity(output);
        if (!identity)
            continue; // nothing there yet, or a link to nothing, which is never followed
        const auto [holder, unheld] = held.try_emplace(*identity, Holder{true, i});
        if (unheld)
            continue;
        const std::string shown = quoted(utf8FromPath(output));
        const Holder other = holder->second;
        if (!other.output && other.file == i)
            return quoted(files[i]) + " would be replaced by its own procedure";
        if (!other.output)
            return shown + " is " + quoted(files[other.file]) + " under another name: the procedure of " +
                quoted(files[i]) + " would replace it";
        return shown + " and " +
            quoted(utf8FromPath(outDir / pathFromUtf8(batchOutputName(pathFromUtf8(files[other.file]), rtf)))) +
            " are one file: the procedures of " + quoted(files[other.file]) + " and " + quoted(files[i]) +
            " would both be written to it";
    }
    return {};
}

std::string batchOutputLinkProblem(const std::filesystem::path& output)
{
    std::error_code ec;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(output, ec)))
        return {};
    return "not written: " + quoted(utf8FromPath(output)) +
        " is a symbolic link, and the file it names is left alone; remove the link to write the procedure";
}

} // namespace kestrel::cli
