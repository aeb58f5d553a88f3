#pragma once
// The comments of a procedure's header. Every line of them becomes a line
// of the procedure, shown in the preview and typed in the Comments box, so
// they are bounded: a header's notes run to some lines, and a thousand
// lines of 250 characters are far more than a note and still a procedure
// the window shows at once. A specification file beyond that is refused.
#include "core/spec/text_lengths.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrel {

inline constexpr std::size_t kCommentLines = 1000;
inline constexpr std::size_t kCommentLineLength = kLongestLineText;

// Why a text cannot stand as the comments: a CR or refused character as
// multiLineTextProblem says, more than kCommentLines lines ("has more than
// 1000 lines"), or a line of more than kCommentLineLength characters
// ("line 3 is longer than 250 characters"). "" when it can. Lines are
// counted and measured in one pass, however long the text.
std::string commentsProblem(std::string_view text);

} // namespace kestrel
