// Every spelling of one file has its identity: a hard link, a symbolic link
// and a path through ".."; another file has another.
#include "core/base/file_identity.h"

#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(FileIdentity, EverySpellingOfOneFile)
{
    test::ScratchDir dir;
    const auto file = dir.write("a/file.txt", "x");
    const auto other = dir.write("a/other.txt", "x");
    const auto identity = fileIdentity(file);
    ASSERT_TRUE(identity);
    EXPECT_EQ(fileIdentity(dir / "a/../a/file.txt"), identity);
    EXPECT_NE(fileIdentity(other), identity) << "the same content is not the same file";
    EXPECT_FALSE(fileIdentity(dir / "a/missing.txt"));

    std::error_code ec;
    std::filesystem::create_hard_link(file, dir / "hard.txt", ec);
    if (!ec) {
        EXPECT_EQ(fileIdentity(dir / "hard.txt"), identity);
    }
    std::filesystem::create_symlink(file, dir / "link.txt", ec);
    if (ec)
        GTEST_SKIP() << "no symbolic links here: " << ec.message();
    EXPECT_EQ(fileIdentity(dir / "link.txt"), identity);
    std::filesystem::create_symlink(dir / "gone.txt", dir / "dangling.txt");
    EXPECT_FALSE(fileIdentity(dir / "dangling.txt")) << "a link to nothing names no file";
}

} // namespace
} // namespace kestrel
