#pragma once
// What the viewer's rich-text document shows. Create hands the viewer the
// procedure in its rich-text form (every CR written as "\par", section
// titles in escaped braces, a colour table in front); the viewer shows the
// text that form encodes, read as any rich-text reader reads it.
#include <string>
#include <string_view>

namespace kestrel {

// The plain text of a rich-text document, paragraphs separated by "\n".
// "\par" and "\line" end a paragraph; "\{", "\}" and "\\" are the
// characters themselves; "\tab" is a tab, "\'hh" a Latin-1 character,
// "\uN" a Unicode character (its fallback character is skipped); other
// control words are formatting and show nothing, and so do line breaks in
// the source and the colour and font tables. Bytes above 127 pass through:
// Kestrel's texts are UTF-8.
std::string richTextToPlain(std::string_view rtf);

} // namespace kestrel
