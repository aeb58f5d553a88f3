#pragma once
// Replacing a file without ever losing it: the new content goes to a
// temporary file in the same folder, is flushed to the disk, and is then
// renamed over the old one, and the folder is flushed too. A crash, a full
// disk or a failed rename leaves either the old file or the new one, never a
// half-written file.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

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

    static AtomicWriteSteps system();
};

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content, std::string& error,
                         const AtomicWriteSteps& steps);

} // namespace kestrel
