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

SaveOutcome saveLocalTexts(const EditTable& table, LocalTextStore& store, const LocalizationFiles& files,
                           MessageSink& sink, const std::function<void()>& writing)
{
    if (!table.hasLocalText())
        return SaveOutcome::NothingToSave;

    // Local_RS holds what is written: the local texts alone. Every way out
    // below rebuilds it from the built-in texts and the file, so Gettext
    // never meets a number Local_RS lost, even when nothing was written.
    store.replaceLocalTexts(table.textsToSave());
    const auto saved = store.records();
    const auto rebuild = [&] { store.populate(files.candidates); };
    if (saved.empty()) {
        rebuild();
        return SaveOutcome::NothingToSave;
    }

    std::error_code ec;
    if (std::filesystem::exists(files.saveFile, ec) &&
        !sink.ask("Overwrite existing Localizing file?", {}, MessageIcon::Question)) {
        rebuild();
        return SaveOutcome::Cancelled;
    }

    if (writing)
        writing();
    std::map<int, std::string> texts;
    for (const auto& [number, text] : saved)
        texts.emplace(number, text.value_or(std::string()));
    // The new file replaces the old one by a rename: a failed write leaves
    // the old file whole, where deleting it first would lose it.
    std::string error;
    if (!writeLocalizationFile(files.saveFile, texts, error)) {
        rebuild();
        sink.inform(errorReport(store, " Save changes ", error));
        return SaveOutcome::Failed;
    }
    store.setLocalFilePresent(true);
    rebuild();
    return SaveOutcome::Saved;
}

bool clearLocalization(LocalTextStore& store, const LocalizationFiles& files, MessageSink& sink)
{
    if (!sink.ask(store.gettext(kTextReallyDeleteLocalization), store.gettext(kTextWarning), MessageIcon::Critical, MessageAnswer::Cancel))
        return false;

    // The file the editor saved, and any other the texts could come from:
    // after a clear the program answers in English.
    std::vector<std::filesystem::path> paths = files.candidates;
    if (std::find(paths.begin(), paths.end(), files.saveFile) == paths.end())
        paths.insert(paths.begin(), files.saveFile);
    for (const auto& file : paths) {
        std::error_code ec;
        if (std::filesystem::exists(file, ec) && !std::filesystem::remove(file, ec) && ec)
            sink.inform(errorReport(store, "  clear localization  ", utf8FromPath(file) + ": " + ec.message()));
    }
    store.setLocalFilePresent(false);
    store.populate(files.candidates);
    return true;
}

} // namespace kestrel
