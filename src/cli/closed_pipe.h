#pragma once
// A reader that stops early (`kestrel-cli generate FILE | head`) closes the
// pipe under standard output. POSIX systems then end the writer with
// SIGPIPE, so the command would die with status 141 and no message instead
// of exiting with kExitWriteFailed as for any other failed write.

namespace kestrel::cli {

// Makes a write into a closed pipe fail with EPIPE instead of ending the
// process, so that the failed stream is seen and reported. Nothing to do
// on Windows, which has no such signal.
void ignoreClosedPipe();

} // namespace kestrel::cli
