// SHA-256 against the test vectors of FIPS 180-4's examples and NIST's
// byte-oriented test set, and fed in pieces of every size.
#include "core/base/sha256.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrel {
namespace {

struct Vector {
    std::string message;
    const char* digest;
};

TEST(Sha256, StandardVectors)
{
    const Vector vectors[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrst"
         "nopqrstu",
            "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        // NIST's one-byte message 0xbd and the four bytes c98c8e55.
        {"\xbd", "68325720aabd7c82f30f554b313d0570c95accbb7dc4b5aae11204c08ffe732b"},
        {"\xc9\x8c\x8e\x55", "7abc22c0ae5af26ce93dbb94433a0e0b2e119d014f8e7f65bd56c61ccccd9504"},
        // 55, 56 and 64 bytes: the padding fits its block, just does not, or
        // needs one of its own.
        {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
    };
    for (const Vector& v : vectors)
        EXPECT_EQ(sha256Hex(v.message), v.digest) << v.message.size() << " bytes";
}

// Any split of a message into pieces gives its digest, whatever the piece
// sizes and where the block boundaries fall.
TEST(Sha256, PiecesGiveTheWholeDigest)
{
    std::string message;
    for (int i = 0; i < 300; ++i)
        message += static_cast<char>(i * 7 + 3);
    const std::string whole = sha256Hex(message);
    for (std::size_t piece = 1; piece <= 130; ++piece) {
        Sha256 hash;
        for (std::size_t at = 0; at < message.size(); at += piece)
            hash.update(std::string_view(message).substr(at, piece));
        const auto digest = hash.digest();
        std::string text;
        for (const auto byte : digest) {
            static constexpr char kDigits[] = "0123456789abcdef";
            text += kDigits[byte >> 4];
            text += kDigits[byte & 15];
        }
        EXPECT_EQ(text, whole) << "pieces of " << piece;
    }
}

TEST(Sha256, OfAFile)
{
    test::ScratchDir dir;
    std::string error;
    const std::string content(200000, 'x');
    EXPECT_EQ(fileSha256Hex(dir.write("a.txt", content), error), sha256Hex(content));
    EXPECT_EQ(fileSha256Hex(dir / "missing.txt", error), std::nullopt);
    EXPECT_FALSE(error.empty());
}

} // namespace
} // namespace kestrel
