#pragma once
// The exit statuses of kestrel-cli. Each number is a promise to the scripts
// that run the commands: a status keeps its number and its meaning. Every
// command returns these, its --help lists its own from exitStatuses(), and
// the manual page gives the same table.
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::cli {

inline constexpr int kExitOk = 0;
// A file could not be read or is no valid specification file.
inline constexpr int kExitUnreadableFile = 1;
// diff and verify: the two (or a procedure and its record) differ.
inline constexpr int kExitDifferent = 1;
inline constexpr int kExitUsage = 2;
// diff and verify, as diff(1): wrong arguments or a file that cannot be read,
// so that a script tells them from files that differ.
inline constexpr int kExitTrouble = 2;
inline constexpr int kExitNothingCreated = 3;
inline constexpr int kExitGeneratorFailed = 4;
// Standard output could not take everything (a full disk, a closed pipe),
// or an output file could not be written: what was written is incomplete.
inline constexpr int kExitWriteFailed = 5;
inline constexpr int kExitFieldOverflow = 6; // with --strict

// What a status means for the commands named, as their --help says it.
struct ExitStatusMeaning {
    std::vector<std::string_view> commands;
    std::string_view text;
};

struct ExitStatus {
    int number;
    std::string_view name;
    // Place in the worst-first order of generate --out-dir, which exits with
    // the worst of its files' statuses: 0 the worst; -1 for a status
    // generate never returns.
    int worstFirst;
    std::vector<ExitStatusMeaning> meanings;
};

// Every status of every command, by number.
const std::vector<ExitStatus>& exitStatuses();

// The worse of two statuses of generate, by the worst-first order.
int worseStatus(int a, int b);

// The statuses of generate, worst first: "5, 2, 1, 3, 6, 4, 0".
std::string worstFirstOrder();

// A command's statuses as (number, meaning), by number.
std::vector<std::pair<int, std::string_view>> commandStatuses(std::string_view command);

// The "Exit status:" part of a command's --help: a line per status, its
// number and its meaning, wrapped to the help's width.
std::string exitStatusHelp(std::string_view command, std::string_view heading = "Exit status:");

} // namespace kestrel::cli
