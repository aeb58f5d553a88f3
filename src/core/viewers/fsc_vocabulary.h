#pragma once
// The two word lists of the procedure viewer's highlighting: the keywords
// of the procedure language (red) and the FSC names of the instruments a
// procedure can drive (blue). Words are looked up upper case.
#include <string_view>

namespace kestrel {

bool isProcedureKeyword(std::string_view upperWord);
bool isInstrumentFsc(std::string_view upperWord);

} // namespace kestrel
