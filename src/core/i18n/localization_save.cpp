#include "core/i18n/localization_save.h"

#include "core/base/message_sink.h"
#include "core/base/path_text.h"
#include "core/i18n/edit_table.h"
#include "core/i18n/local_text_store.h"
#include "core/i18n/localization_file.h"
#include "core/i18n/text_numbers.h"

#include <algorithm>
#include <map>
#include <string>
#include <system_error>

namespace kestrel {
namespace {

// Every file the local texts come from or could come from: the one in use
// first, then where the editor saves, then the places looked in.
std::vector<std::filesystem::path> localizationPaths(const LocalTextStore& store, const LocalizationFiles& files)
{
    std::vector<std::filesystem::path> paths;
    const auto add = [&paths](const std::filesystem::path& path) {
        if (!path.empty() && std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(path);
    };
    add(store.loadedFile());
    add(files.saveFile);
    for (const auto& candidate : files.candidates)
        add(candidate);
    return paths;
}

bool anyExists(const std::vector<std::filesystem::path>& paths)
{
    return std::any_of(paths.begin(), paths.end(), [](const std::filesystem::path& path) {
        std::error_code ec;
        return std::filesystem::exists(path, ec);
    });
}

// No local text is left: the English texts again, which means no file.
SaveOutcome removeEmptiedLocalization(LocalTextStore& store, const LocalizationFiles& files, MessageSink& sink)
{
    if (!anyExists(localizationPaths(store, files))) {
        store.populate(files.candidates);
        return SaveOutcome::NothingToSave;
    }
    const MessageAnswer answer = sink.show(Message{store.gettext(kTextRemoveLocalizationQuestion), {},
        MessageButtons::YesNo, MessageIcon::Question, MessageAnswer::No});
    if (answer != MessageAnswer::Yes)
        return SaveOutcome::Cancelled;
    return removeLocalization(store, files, sink, " Save changes ") ? SaveOutcome::Removed : SaveOutcome::Failed;
}

} // namespace

SaveOutcome saveLocalTexts(const EditTable& table, LocalTextStore& store, const LocalizationFiles& files,
    MessageSink& sink, const std::function<void()>& writing)
{
    const std::map<int, std::string> texts = table.textsToSave();
    if (texts.empty())
        return removeEmptiedLocalization(store, files, sink);

    // Local_RS holds what is written: the local texts alone. Every way out
    // below rebuilds it from the built-in texts and the file, so Gettext
    // never meets a number Local_RS lost, even when nothing was written.
    store.replaceLocalTexts(texts);
    const auto rebuild = [&] { store.populate(files.candidates); };

    std::error_code ec;
    if (std::filesystem::exists(files.saveFile, ec) &&
        !sink.ask("Overwrite existing Localizing file?", {}, MessageIcon::Question)) {
        rebuild();
        return SaveOutcome::Cancelled;
    }

    if (writing)
        writing();
    // The new file replaces the old one by a rename: a failed write leaves
    // the old file whole, where deleting it first would lose it.
    std::string error;
    if (!writeLocalizationFile(files.saveFile, texts, error)) {
        rebuild();
        sink.inform(errorReport(store, " Save changes ", error));
        return SaveOutcome::Failed;
    }
    rebuild();
    return SaveOutcome::Saved;
}

bool clearLocalization(LocalTextStore& store, const LocalizationFiles& files, MessageSink& sink)
{
    if (!sink.ask(store.gettext(kTextReallyDeleteLocalization), store.gettext(kTextWarning), MessageIcon::Critical,
            MessageAnswer::Cancel))
        return false;
    removeLocalization(store, files, sink, "  clear localization  ");
    return true;
}

bool removeLocalization(
    LocalTextStore& store, const LocalizationFiles& files, MessageSink& sink, std::string_view label)
{
    // The file in use, the one the editor saved, and any other the texts
    // could come from: afterwards the program answers in English.
    for (const auto& file : localizationPaths(store, files)) {
        std::error_code ec;
        if (std::filesystem::exists(file, ec) && !std::filesystem::remove(file, ec) && ec)
            sink.inform(errorReport(store, label, utf8FromPath(file) + ": " + ec.message()));
    }
    store.populate(files.candidates);
    return !store.localFilePresent();
}

} // namespace kestrel
