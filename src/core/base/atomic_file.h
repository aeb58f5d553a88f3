#pragma once
// Replacing a file without ever losing it: the new content goes to a
// temporary file in the same folder, is flushed to the disk, and is then
// renamed over the old one, and the folder is flushed too. A crash, a full
// disk or a failed rename leaves either the old file or the new one, never a
// half-written file.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kestrel {

// Creates the folder when missing. A symbolic link (or a chain of them) is
// followed, so the link stays and the file it names is replaced, or created
// when the link dangles. The permissions of an existing file are kept, and
// so are its owner and group where the system lets the writer set them. A
// file with several hard links gets a new file under this name only: the
// other names keep the old content, which a rename cannot avoid. On failure
// returns false with error set, and the old file is as it was.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content, std::string& error);

// The steps of a replacement that can fail on a real disk, so that tests
// can make each one fail, or watch the order in which they reach the
// system. Each returns the error it met, or none.
struct AtomicWriteSteps {
    // Writes part of the data to the open temporary file (like ::write):
    // the number of bytes written, or -1 with the error set.
    std::function<std::ptrdiff_t(int fd, const char* data, std::size_t size, std::error_code& error)> write;
    // Flushes an open file to the disk (like ::fsync): the temporary file
    // before the rename, and the folder after it.
    std::function<std::error_code(int fd)> flushToDisk;
    std::function<std::error_code(const std::filesystem::path& from, const std::filesystem::path& to)> rename;
    // Flushes everything written on the file system a folder is on (like
    // Linux's syncfs), so that a batch of files needs one flush. Empty where
    // the system has no such call: each file is then flushed by itself.
    std::function<std::error_code(const std::filesystem::path& folder)> flushFileSystem;

    static AtomicWriteSteps system();
};

bool writeFileAtomically(
    const std::filesystem::path& path, std::string_view content, std::string& error, const AtomicWriteSteps& steps);

// Many replacements for the price of one flush to the disk, which takes
// milliseconds, longer than a procedure takes to write: stage() puts each
// content in its temporary file beside its target, commit() flushes them all
// at once and only then renames each over its target, and flushes each
// folder once. Each file is replaced whole or not at all, with the promises
// of writeFileAtomically. One thread uses a batch at a time.
class AtomicFileBatch {
public:
    explicit AtomicFileBatch(AtomicWriteSteps steps = AtomicWriteSteps::system());
    // The temporaries of contents staged but never committed are removed.
    ~AtomicFileBatch();
    AtomicFileBatch(const AtomicFileBatch&) = delete;
    AtomicFileBatch& operator=(const AtomicFileBatch&) = delete;

    // The content in a temporary file, not yet flushed. On failure returns
    // false with error set and leaves nothing behind.
    bool stage(const std::filesystem::path& path, std::string_view content, std::string& error);
    std::size_t staged() const { return staged_.size(); }

    struct Failure {
        std::filesystem::path path; // as given to stage()
        std::string error;
    };
    // Replaces every target staged since the last commit; the targets that
    // could not be replaced keep their old files and are returned.
    std::vector<Failure> commit();

    // Removes the temporaries that saves killed before their rename left
    // beside the targets committed so far: one pass over each folder, not
    // one per target (see removeStaleTemporaries).
    void removeStaleTemporaries();

private:
    struct Staged {
        std::filesystem::path path, target, temp;
    };
    AtomicWriteSteps steps_;
    std::vector<Staged> staged_;
    std::map<std::filesystem::path, std::set<std::string>> committed_; // target names by folder
    std::set<std::filesystem::path> madeFolders_;
};

} // namespace kestrel
