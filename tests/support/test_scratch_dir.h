#pragma once
// A fresh folder for one test, removed with everything in it afterwards,
// and a guard that restores an environment variable.
#include "environment.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <system_error>

namespace kestrel::test {

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// True where the system refuses a path this long although its file system
// would take the name: Windows programs reach at most MAX_PATH (260)
// characters unless long paths were enabled for them.
inline bool beyondPathLimit([[maybe_unused]] const std::filesystem::path& path)
{
#ifdef _WIN32
    return path.native().size() >= 260;
#else
    return false;
#endif
}

class ScratchDir {
public:
    ScratchDir()
        : path_(std::filesystem::temp_directory_path() /
              ("kestrel-test-" + std::to_string(std::random_device{}()) + "-" + std::to_string(std::random_device{}())))
    {
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir()
    {
        // A test may have locked its folder; the owner can always unlock it.
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    std::filesystem::path write(const std::string& name, const std::string& content) const
    {
        const auto file = path_ / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        return file;
    }

private:
    std::filesystem::path path_;
};

class EnvGuard {
public:
    explicit EnvGuard(std::string name) : name_(std::move(name))
    {
        if (const char* value = std::getenv(name_.c_str()))
            saved_ = value;
    }
    ~EnvGuard() { saved_ ? set(*saved_) : unset(); }
    void set(const std::string& value) const { setEnvironment(name_, value); }
    void unset() const { unsetEnvironment(name_); }

private:
    std::string name_;
    std::optional<std::string> saved_;
};

} // namespace kestrel::test
