// File names that Windows and macOS take for one name fold alike; names
// they keep apart do not.
#include "core/base/file_name_folding.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(FileNameFolding, NamesOneOnCaseBlindFileSystemsFoldAlike)
{
    struct Case {
        const char* a;
        const char* b;
        bool one;
    } const cases[] = {
        {"meter.txt", "METER.txt", true},
        {"\xC3\x84rger.txt", "\xC3\xA4rger.txt", true},                         // Ärger, ärger
        {"caf\xC3\xA9.txt", "cafe\xCC\x81.txt", true},                          // café composed and decomposed
        {"CAFE\xCC\x81.txt", "caf\xC3\xA9.txt", true},                          // both at once
        {"\xCE\xA3\xCE\xA4\xCE\x9F.txt", "\xCF\x83\xCF\x84\xCE\xBF.txt", true}, // ΣΤΟ, στο
        {"\xD0\x96.txt", "\xD0\xB6.txt", true},                                 // Ж, ж
        {"cafe.txt", "caf\xC3\xA9.txt", false},                                 // an accent is a difference
        {"\xC3\xA4rger.txt", "arger.txt", false},
        {"a.txt", "b.txt", false},
        {"meter.txt", "meter.txt ", false},
        {"\xFF"
         "A.txt",
            "\xFF"
            "a.txt",
            true}, // not UTF-8: ASCII letters still fold
        {"\xFF"
         "\xC3\x84.txt",
            "\xFF"
            "\xC3\xA4.txt",
            false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(foldedFileName(c.a) == foldedFileName(c.b), c.one) << c.a << " / " << c.b;
}

TEST(FileNameFolding, TheFoldedNameIsValidUtf8OfTheSameName)
{
    EXPECT_EQ(foldedFileName(""), "");
    EXPECT_EQ(foldedFileName("plain-name_1.txt"), foldedFileName("PLAIN-NAME_1.TXT"));
    EXPECT_EQ(foldedFileName(foldedFileName("\xC3\x84rger")), foldedFileName("\xC3\x84rger")) << "folding twice";
}

} // namespace
} // namespace kestrel
