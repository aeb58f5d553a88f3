#pragma once
// Standard output and standard error on a Windows console. A console shows
// bytes in its own code page (437 or 850 in a Western cmd), so the UTF-8
// kestrel-cli writes ("Prüfgerät", "Ω", "±Volts") would come out garbled;
// Windows programs write to a console in UTF-16 instead (WriteConsoleW).
// Files and pipes still get the UTF-8 bytes, unchanged.
#include <functional>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace kestrel::cli {

// A stream buffer that hands its text on in pieces that each end on a
// whole UTF-8 character, so that a character is never split between two
// writes of the console. Text that is not UTF-8 is handed on as it is.
class Utf8PiecesBuffer : public std::streambuf {
public:
    // Writes one piece; false when it could not be written.
    using WritePiece = std::function<bool(std::string_view utf8)>;

    explicit Utf8PiecesBuffer(WritePiece write, std::size_t capacity = 4096);
    ~Utf8PiecesBuffer() override;

protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    // Hands on what is buffered up to its last whole character (everything
    // when `all`); false when the writer failed.
    bool handOn(bool all);

    WritePiece write_;
    std::size_t capacity_;
    std::string pending_;
};

// The number of leading bytes of the text that end on a whole UTF-8
// character: all but an incomplete sequence at its end.
std::size_t wholeUtf8Prefix(std::string_view text);

// Windows: a stream that writes to the console of standard output (1) or
// standard error (2) in UTF-16, or nullptr when that handle is not a
// console (a file, a pipe), which then takes bytes as they are. Elsewhere
// always nullptr.
std::unique_ptr<std::ostream> consoleStream(int standardHandle);

} // namespace kestrel::cli
