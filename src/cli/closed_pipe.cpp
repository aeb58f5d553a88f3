#include "cli/closed_pipe.h"

#ifndef _WIN32
#include <csignal>
#endif

namespace kestrel::cli {

void ignoreClosedPipe()
{
#ifndef _WIN32
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

} // namespace kestrel::cli
