#pragma once
// The outputs of kestrel-cli generate --out-dir DIR: each file's name in
// DIR, and the check, before anything is written, that no output is one
// file with an input or with another output.
#include <filesystem>
#include <string>
#include <vector>

namespace kestrel::cli {

// The name of a file's output in DIR: "<name>.txt" (".rtf" for the viewer's
// form), <name> being the file's name without ".kestrel.json" (in any case)
// or, for other names, without their last extension.
std::string batchOutputName(const std::filesystem::path& file, bool rtf);

// Why the files cannot be written into outDir, or "": two files whose
// outputs would have one name on a case-blind file system (compared as
// foldedFileName folds them), an output that is an input under another
// name or through a link (a hard link, a symbolic link, ".."), or two
// outputs that are one file.
std::string batchOutputsProblem(const std::vector<std::string>& files, const std::filesystem::path& outDir, bool rtf);

// Why an output must not be written now, or "": a symbolic link in DIR,
// which is never followed (the file it names may be anyone's).
std::string batchOutputLinkProblem(const std::filesystem::path& output);

} // namespace kestrel::cli
