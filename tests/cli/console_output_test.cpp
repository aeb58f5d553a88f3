#include "cli/console_output.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel::cli {
namespace {

// A console is written in pieces; a piece that ended inside a character
// would show two broken characters instead of "ü".
TEST(ConsoleOutput, PiecesEndOnWholeCharactersWhateverTheWritesAre)
{
    const std::string text = "Prüfgerät Ωmega ±Volts 𝛀 \xE2\x82\xAC\r\n";
    struct Case {
        std::size_t capacity;
        std::size_t chunk; // bytes per write to the stream
    } const cases[] = {{1, 1}, {2, 1}, {3, 2}, {4, 3}, {5, 7}, {4096, 1}, {4096, 5}};
    for (const Case& c : cases) {
        std::vector<std::string> pieces;
        {
            Utf8PiecesBuffer buffer(
                [&](std::string_view piece) {
                    pieces.emplace_back(piece);
                    return true;
                },
                c.capacity);
            std::ostream out(&buffer);
            for (std::size_t at = 0; at < text.size(); at += c.chunk) {
                out.write(text.data() + at, static_cast<std::streamsize>(std::min(c.chunk, text.size() - at)));
                if (at % 3 == 0)
                    out.flush(); // a flush never splits a character either
            }
        }
        std::string joined;
        for (const std::string& piece : pieces) {
            EXPECT_EQ(wholeUtf8Prefix(piece), piece.size()) << c.capacity << "/" << c.chunk << ": " << piece;
            joined += piece;
        }
        EXPECT_EQ(joined, text) << c.capacity << "/" << c.chunk;
    }
}

TEST(ConsoleOutput, AFailedWriteFailsTheStreamAndTextThatIsNotUtf8PassesAsItIs)
{
    Utf8PiecesBuffer failing([](std::string_view) { return false; }, 4);
    std::ostream out(&failing);
    out << "Prüfgerät" << std::flush;
    EXPECT_FALSE(out);

    EXPECT_EQ(wholeUtf8Prefix("ab\xC3"), 2u) << "a cut ü is kept back";
    EXPECT_EQ(wholeUtf8Prefix("\xF0\x9D\x9B"), 0u) << "a cut four-byte character";
    EXPECT_EQ(wholeUtf8Prefix("\x80\x80\x80\x80\x80"), 5u) << "no lead byte: not UTF-8, nothing kept back";
    EXPECT_EQ(wholeUtf8Prefix("\xFFx"), 2u);
}

} // namespace
} // namespace kestrel::cli
