#include "core/procgen/rich_text_escapes.h"

namespace kestrel {
namespace {

bool isEscaped(char ch) { return ch == '\\' || ch == '{' || ch == '}'; }

} // namespace

std::string escapeTypedText(std::string_view typed)
{
    std::string out;
    out.reserve(typed.size());
    for (const char ch : typed) {
        if (isEscaped(ch))
            out += '\\';
        out += ch;
    }
    return out;
}

std::string unescapeProcedureText(std::string_view text)
{
    // Copied a run at a time up to each backslash: a procedure is tens of
    // kilobytes with a few dozen escapes.
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t i = text.find('\\'); i != std::string_view::npos; i = text.find('\\', i + 1)) {
        if (i + 1 < text.size() && isEscaped(text[i + 1])) {
            out.append(text, from, i - from);
            from = i + 1; // the character itself follows
            ++i;          // and is not the start of another escape
        }
    }
    out.append(text, from);
    return out;
}

} // namespace kestrel
