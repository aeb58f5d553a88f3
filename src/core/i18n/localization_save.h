#pragma once
// The two commands that change the localization file: the editor's
// Save_Changes and the menu's mnuClear_Localization. Each ends with
// Local_RS rebuilt from the built-in texts and whatever file is left, so
// the texts the program answers always match the file; relabelling the
// main window is the window's part.
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

namespace kestrel {

class EditTable;
class LocalTextStore;
class MessageSink;

struct LocalizationFiles {
    std::filesystem::path saveFile;                // where the editor writes
    std::vector<std::filesystem::path> candidates; // where Local_RS is rebuilt from, in order
};

enum class SaveOutcome {
    NothingToSave, // no local text (none, or only blank ones) and no file to remove
    Cancelled,     // the overwrite or the removal question was declined: the old file untouched
    Failed,        // the write or a removal failed and was reported: the old file untouched
    Saved,
    Removed, // no local text was left: the file was deleted, the texts are English again
};

// Save_Changes: the local texts that are not blank become Local_RS's only
// records; when a file exists already the user is asked "Overwrite existing
// Localizing file?" (OK, Cancel); `writing` runs just before the write (the
// window colours its save button); the file is replaced atomically.
//
// A blank local text means "the English text": when every local text is
// blank or gone and a file is in use, the user is asked whether to delete
// it (Yes, No; No the default), and Yes removes it as the clear command does.
SaveOutcome saveLocalTexts(const EditTable& table, LocalTextStore& store, const LocalizationFiles& files,
    MessageSink& sink, const std::function<void()>& writing = {});

// mnuClear_Localization: asks "Really Delete Localization file?" (title
// "Warning", OK and Cancel, critical icon, Cancel the default). OK removes
// the localization (see removeLocalization). False when the user cancelled.
bool clearLocalization(LocalTextStore& store, const LocalizationFiles& files, MessageSink& sink);

// Deletes the file the local texts came from and every other one they could
// come from, reporting each that cannot be deleted (under `label`), then
// rebuilds Local_RS: English, unless a file could not be deleted. Returns
// whether no file is left.
bool removeLocalization(
    LocalTextStore& store, const LocalizationFiles& files, MessageSink& sink, std::string_view label);

} // namespace kestrel
