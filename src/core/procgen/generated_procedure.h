#pragma once
// What a generator hands back: the procedure text (braces around section
// titles escaped as "\{" "\}", typed texts as rich_text_escapes.h says) and
// whether it ended in a failure.
// A failed generator has already reported its message; its partial text,
// without header, is shown like a complete one.
#include <string>

namespace kestrel {

struct GeneratedProcedure {
    std::string text;
    bool failed = false;
};

} // namespace kestrel
