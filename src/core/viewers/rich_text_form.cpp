#include "core/viewers/rich_text_form.h"

#include "core/base/text_util.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace kestrel {
namespace {

bool isSpecial(char ch) { return ch == '{' || ch == '}' || ch == '\\' || ch == '\r' || ch == '\n'; }
bool isLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

int hexValue(char ch)
{
    if (isDigit(ch))
        return ch - '0';
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// Groups whose content is data, not text.
bool isDestination(std::string_view word)
{
    static constexpr std::array<std::string_view, 7> kDestinations{
        "colortbl", "fonttbl", "stylesheet", "info", "pict", "header", "footer"};
    for (std::string_view d : kDestinations)
        if (word == d)
            return true;
    return false;
}

class Reader {
public:
    explicit Reader(std::string_view rtf) : rtf_(rtf) { }

    std::string read()
    {
        out_.reserve(rtf_.size());
        while (pos_ < rtf_.size()) {
            switch (rtf_[pos_]) {
            case '{':
                ++pos_;
                openGroup();
                break;
            case '}':
                ++pos_;
                closeGroup();
                break;
            case '\\':
                ++pos_;
                control();
                break;
            case '\r':
            case '\n':
                ++pos_;
                break;
            default: {
                // Plain text runs up to the next character with a meaning.
                std::size_t end = pos_ + 1;
                while (end < rtf_.size() && !isSpecial(rtf_[end]))
                    ++end;
                text(rtf_.substr(pos_, end - pos_));
                pos_ = end;
                break;
            }
            }
        }
        return std::move(out_);
    }

private:
    void openGroup()
    {
        groups_.push_back(skipping());
        groupStart_ = true;
    }
    void closeGroup()
    {
        if (!groups_.empty())
            groups_.pop_back();
        groupStart_ = false;
    }
    bool skipping() const { return !groups_.empty() && groups_.back(); }

    void text(std::string_view run)
    {
        groupStart_ = false;
        const auto fallback = std::min(static_cast<std::size_t>(skipFallback_), run.size());
        run.remove_prefix(fallback);
        skipFallback_ -= static_cast<int>(fallback);
        if (!skipping())
            out_ += run;
    }
    void text(char ch) { text(std::string_view(&ch, 1)); }
    void textUtf8(unsigned long codePoint)
    {
        groupStart_ = false;
        if (skipFallback_ > 0) {
            --skipFallback_;
            return;
        }
        if (!skipping())
            appendUtf8(out_, static_cast<char32_t>(codePoint));
    }

    void control()
    {
        if (pos_ >= rtf_.size())
            return;
        const char ch = rtf_[pos_];
        if (isLetter(ch)) {
            controlWord();
            return;
        }
        ++pos_;
        const bool atGroupStart = groupStart_;
        switch (ch) {
        case '{':
        case '}':
        case '\\':
            text(ch);
            break;
        case '\r':
        case '\n':
            textUtf8('\n');
            break;
        case '~':
            text(' ');
            break;
        case '_':
            text('-');
            break;
        case '\'': {
            const int high = pos_ < rtf_.size() ? hexValue(rtf_[pos_]) : -1;
            const int low = pos_ + 1 < rtf_.size() ? hexValue(rtf_[pos_ + 1]) : -1;
            if (high >= 0 && low >= 0) {
                pos_ += 2;
                textUtf8(static_cast<unsigned long>(high * 16 + low));
            }
            break;
        }
        case '*':
            // "{\*\destination …}": an optional destination this reader
            // does not know; its content is not text.
            if (atGroupStart && !groups_.empty())
                groups_.back() = true;
            break;
        default:
            break; // "\-" optional hyphen and other symbols show nothing
        }
    }

    void controlWord()
    {
        const bool atGroupStart = groupStart_;
        groupStart_ = false;
        const std::size_t start = pos_;
        while (pos_ < rtf_.size() && isLetter(rtf_[pos_]))
            ++pos_;
        const std::string_view word = rtf_.substr(start, pos_ - start);
        bool negative = false;
        long parameter = 0;
        bool hasParameter = false;
        if (pos_ < rtf_.size() && rtf_[pos_] == '-' && pos_ + 1 < rtf_.size() && isDigit(rtf_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        // A typed text may hold any number of digits; beyond the cap they
        // are read but no longer counted, so the number cannot overflow.
        while (pos_ < rtf_.size() && isDigit(rtf_[pos_])) {
            hasParameter = true;
            const long digit = rtf_[pos_++] - '0';
            if (parameter < kParameterCap)
                parameter = parameter * 10 + digit;
        }
        if (pos_ < rtf_.size() && rtf_[pos_] == ' ')
            ++pos_; // the delimiting blank belongs to the control word
        if (negative)
            parameter = -parameter;

        if (atGroupStart && isDestination(word) && !groups_.empty()) {
            groups_.back() = true;
        } else if (word == "par" || word == "line") {
            textUtf8('\n');
        } else if (word == "tab") {
            textUtf8('\t');
        } else if (word == "u" && hasParameter) {
            if (!skipping())
                appendUtf8(out_, unicodeCharacter(parameter));
            skipFallback_ = 1;
        }
    }

    // Control word parameters are 16-bit numbers; every larger one is
    // simply too large.
    static constexpr long kParameterCap = 1000000;

    // The character of "\uN": N is a signed 16-bit number, negative for
    // the upper half. A number outside that range or a lone surrogate half
    // stands for no character, and shows as the replacement character.
    static char32_t unicodeCharacter(long parameter)
    {
        const long code = parameter < 0 ? parameter + 65536 : parameter;
        if (code < 0 || code > 0xFFFF || (code >= 0xD800 && code <= 0xDFFF))
            return 0xFFFD;
        return static_cast<char32_t>(code);
    }

    std::string_view rtf_;
    std::size_t pos_ = 0;
    std::vector<bool> groups_; // per open group: its content is skipped
    bool groupStart_ = false;  // nothing read yet since the last "{"
    int skipFallback_ = 0;     // characters standing in for a "\u" character
    std::string out_;
};

} // namespace

std::string richTextToPlain(std::string_view rtf) { return Reader(rtf).read(); }

} // namespace kestrel
