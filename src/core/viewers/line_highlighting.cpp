#include "core/viewers/line_highlighting.h"

#include "core/base/text_util.h"
#include "core/viewers/fsc_vocabulary.h"

#include <string>

namespace kestrel {
namespace {

bool isWordCharacter(unsigned char ch)
{
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '"' || ch == '=' ||
        ch == '+' || ch == '-' || ch == '.';
}

bool isSeparator(unsigned char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; }

void endWord(std::string& word, std::size_t separatorAt, std::vector<HighlightSpan>& spans)
{
    if (word.empty())
        return;
    // Words hold ASCII only, so upper-casing them is plain ASCII work.
    for (char& ch : word)
        ch = toUpperAscii(ch);
    const bool instrument = isInstrumentFsc(word);
    if (instrument || isProcedureKeyword(word))
        spans.push_back({separatorAt - word.size(), word.size(),
            instrument ? HighlightColour::Instrument : HighlightColour::Keyword});
    word.clear();
}

} // namespace

std::vector<HighlightSpan> highlightLine(std::string_view line)
{
    std::vector<HighlightSpan> spans;
    std::string word;
    std::size_t position = 0; // in characters
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (isUtf8Continuation(line[i]))
            continue;
        const auto ch = static_cast<unsigned char>(line[i]);
        if (ch == '#') {
            spans.push_back({position, charCount(line.substr(i)), HighlightColour::Comment});
            return spans;
        }
        if (isWordCharacter(ch))
            word += static_cast<char>(ch);
        else if (isSeparator(ch))
            endWord(word, position, spans);
        ++position;
    }
    // The blank the walk appends ends the last word.
    endWord(word, position, spans);
    return spans;
}

} // namespace kestrel
