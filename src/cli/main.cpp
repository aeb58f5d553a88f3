#include "cli/closed_pipe.h"
#include "cli/console_output.h"
#include "cli/run.h"
#include "core/base/wide_text.h"

#include <iostream>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    // Procedures end their lines with CR LF themselves; in text mode Windows
    // would write every LF as CR LF, and the clipboard form as CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    std::ios::sync_with_stdio(false);
    // Windows passes the arguments as UTF-16; the commands take UTF-8, so
    // that a file name outside the ANSI code page arrives whole.
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(kestrel::utf8FromWide(argv[i]));
    // A console gets UTF-16, files and pipes the UTF-8 bytes.
    const auto consoleOut = kestrel::cli::consoleStream(1);
    const auto consoleErr = kestrel::cli::consoleStream(2);
    return kestrel::cli::run(args, consoleOut ? *consoleOut : std::cout, consoleErr ? *consoleErr : std::cerr);
}

#else

int main(int argc, char** argv)
{
    kestrel::cli::ignoreClosedPipe();
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return kestrel::cli::run(args, std::cout, std::cerr);
}

#endif
