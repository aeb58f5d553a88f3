#pragma once
// Golden files: reviewed procedure texts checked into tests/data/golden.
// Set KESTREL_UPDATE_GOLDEN=1 to (re)write them after a reviewed change.
#include <string>

namespace kestrel::test {

// Compares actual with tests/data/golden/<name> byte for byte; on a mismatch
// the failure names the first differing line.
void expectMatchesGolden(const std::string& name, const std::string& actual);

} // namespace kestrel::test
