#include "core/spec/procedure_comments.h"

#include "core/base/text_util.h"
#include "core/base/user_text.h"

#include <algorithm>

namespace kestrel {

std::string commentsProblem(std::string_view text)
{
    if (std::string problem = multiLineTextProblem(text); !problem.empty())
        return problem;
    return textBlockProblem(text, kCommentLines, kCommentLineLength, false);
}

} // namespace kestrel
