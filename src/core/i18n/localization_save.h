#pragma once
// The two commands that change the localization file: the editor's
// Save_Changes and the menu's mnuClear_Localization. Each ends with
// Local_RS rebuilt from the built-in texts and whatever file is left, so
// the texts the program answers always match the file; relabelling the
// main window is the window's part.
#include <filesystem>
#include <functional>
#include <vector>

namespace kestrel {

class EditTable;
class LocalTextStore;
class MessageSink;

struct LocalizationFiles {
    std::filesystem::path saveFile;                 // where the editor writes
    std::vector<std::filesystem::path> candidates;  // where Local_RS is rebuilt from, in order
};

enum class SaveOutcome {
    NothingToSave, // no local text, or only blank ones: nothing written, an old file untouched
    Cancelled,     // the overwrite question was answered Cancel: the old file untouched
    Failed,        // the write failed and was reported: the old file untouched
    Saved,
};

// Save_Changes: the local texts that are not blank become Local_RS's only
// records; when a file exists already the user is asked "Overwrite existing
// Localizing file?" (OK, Cancel); `writing` runs just before the write (the
// window colours its save button); the file is replaced atomically and
// Local_File_Present set.
SaveOutcome saveLocalTexts(const EditTable& table, LocalTextStore& store, const LocalizationFiles& files,
                           MessageSink& sink, const std::function<void()>& writing = {});

// mnuClear_Localization: asks "Really Delete Localization file?" (title
// "Warning", OK and Cancel, critical icon, Cancel the default). OK deletes
// the file wherever it is found (a file that cannot be deleted is
// reported), clears Local_File_Present and rebuilds Local_RS. False when
// the user cancelled.
bool clearLocalization(LocalTextStore& store, const LocalizationFiles& files, MessageSink& sink);

} // namespace kestrel
