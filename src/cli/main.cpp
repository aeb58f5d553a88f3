#include "cli/command.h"

#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <cstdio>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // Procedures end their lines with CR LF themselves; in text mode Windows
    // would write every LF as CR LF, and the clipboard form as CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return kestrel::cli::run(args, std::cout, std::cerr);
}
