#include "cli/console_output.h"

#include <utility>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace kestrel::cli {

std::size_t wholeUtf8Prefix(std::string_view text)
{
    // Look back over at most three continuation bytes for the lead byte of
    // the last character, and keep that character back when its sequence
    // is cut short.
    const std::size_t size = text.size();
    for (std::size_t back = 1; back <= 4 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(text[size - back]);
        if ((byte & 0xC0) == 0x80)
            continue;
        const std::size_t length = (byte & 0xE0) == 0xC0 ? 2
            : (byte & 0xF0) == 0xE0                      ? 3
            : (byte & 0xF8) == 0xF0                      ? 4
                                                         : 1;
        return length > back ? size - back : size;
    }
    return size; // no lead byte: not UTF-8, handed on as it is
}

Utf8PiecesBuffer::Utf8PiecesBuffer(WritePiece write, std::size_t capacity)
    : write_(std::move(write)), capacity_(capacity)
{
    pending_.reserve(capacity_);
}

Utf8PiecesBuffer::~Utf8PiecesBuffer() { handOn(true); }

Utf8PiecesBuffer::int_type Utf8PiecesBuffer::overflow(int_type ch)
{
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return sync() == 0 ? traits_type::not_eof(ch) : traits_type::eof();
    pending_ += traits_type::to_char_type(ch);
    if (pending_.size() >= capacity_ && !handOn(false))
        return traits_type::eof();
    return ch;
}

std::streamsize Utf8PiecesBuffer::xsputn(const char* text, std::streamsize count)
{
    pending_.append(text, static_cast<std::size_t>(count));
    if (pending_.size() >= capacity_ && !handOn(false))
        return 0;
    return count;
}

int Utf8PiecesBuffer::sync()
{
    // A flush keeps back only a character still being written.
    return handOn(false) ? 0 : -1;
}

bool Utf8PiecesBuffer::handOn(bool all)
{
    const std::size_t whole = all ? pending_.size() : wholeUtf8Prefix(pending_);
    if (whole == 0)
        return true;
    const bool written = write_(std::string_view(pending_).substr(0, whole));
    pending_.erase(0, whole);
    return written;
}

#ifdef _WIN32
namespace {

// Writes UTF-8 text to a console as UTF-16.
bool writeToConsole(HANDLE console, std::string_view utf8)
{
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (units <= 0)
        return false;
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
    const wchar_t* next = wide.data();
    DWORD left = static_cast<DWORD>(wide.size());
    while (left > 0) {
        DWORD written = 0;
        if (!WriteConsoleW(console, next, left, &written, nullptr) || written == 0)
            return false;
        next += written;
        left -= written;
    }
    return true;
}

// The buffer and the stream that owns it, as one object.
class ConsoleStream : public std::ostream {
public:
    explicit ConsoleStream(HANDLE console)
        : std::ostream(nullptr), buffer_([console](std::string_view utf8) { return writeToConsole(console, utf8); })
    {
        rdbuf(&buffer_);
    }
    ~ConsoleStream() override { flush(); }

private:
    Utf8PiecesBuffer buffer_;
};

} // namespace

std::unique_ptr<std::ostream> consoleStream(int standardHandle)
{
    const HANDLE handle = GetStdHandle(standardHandle == 2 ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr || !GetConsoleMode(handle, &mode))
        return nullptr;
    return std::make_unique<ConsoleStream>(handle);
}
#else
std::unique_ptr<std::ostream> consoleStream(int) { return nullptr; }
#endif

} // namespace kestrel::cli
