#include "core/spec/procedure_comments.h"

#include "core/base/text_util.h"
#include "core/base/user_text.h"

#include <algorithm>

namespace kestrel {

std::string commentsProblem(std::string_view text)
{
    if (std::string problem = multiLineTextProblem(text); !problem.empty())
        return problem;
    std::size_t lines = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (++lines > kCommentLines)
            return "has more than " + std::to_string(kCommentLines) + " lines";
        if (charCount(line) > kCommentLineLength)
            return "line " + std::to_string(lines) + " is longer than " + std::to_string(kCommentLineLength) +
                " characters";
        start = end + 1;
    }
    return {};
}

} // namespace kestrel
