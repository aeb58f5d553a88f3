#pragma once
// Connection_RS: the operator instructions attached to grid columns, one
// record per function and column, kept for the run only (never saved with
// the localization). The generators use a record only when exactly one
// matches; two records for one column count as none.
//
// Modes compare without regard to case, as a record filter's equality test
// does: the thermometer sample files its instruction under "TC" and the
// generator asks for "tc".
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrel {

// An instruction text is at most eight lines of at most 56 characters, the
// most a DISP display shows.
inline constexpr std::size_t kInstructionLines = 8;
inline constexpr std::size_t kInstructionLineLength = 56;

// A PIC step names its picture where a DISP step's text stands, from body
// column 14 to the end of the line, so a name is as long as a line of text.
// It is a bare file name in Tessel's picture folder: a folder or ".." in it
// would reach files outside that folder.
inline constexpr std::size_t kPictureNameLength = kInstructionLineLength;

// Why a picture name cannot stand in a PIC step ("names a folder"), or ""
// when it can. An empty name is allowed: the wizard stores one.
std::string pictureNameProblem(std::string_view name);

struct ConnectionRecord {
    std::string mode;                // function code, at most 25 characters
    std::string col;                 // 0-based grid column as decimal text
    std::optional<std::string> pic;  // picture file name, no directory
    std::optional<std::string> text; // instruction text, lines joined by CR LF

    bool operator==(const ConnectionRecord&) const = default;
};

class ConnectionStore {
public:
    void append(ConnectionRecord record);
    const std::vector<ConnectionRecord>& records() const { return records_; }
    std::size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }

    // The record of (mode, column) when exactly one matches, else nullptr.
    const ConnectionRecord* findUnique(std::string_view mode, int column) const;
    std::size_t count(std::string_view mode, int column) const;

    // Writes the one record of (mode, column), adding it when none matches.
    void put(ConnectionRecord record);
    // Deletes every record of (mode, column).
    void remove(std::string_view mode, int column);

    // Clear_Connection_Recordset: every record of mode, or all when mode is
    // "all" in any case.
    void clearMode(std::string_view mode);

    bool operator==(const ConnectionStore& other) const { return records_ == other.records_; }

private:
    // Records by lower-cased mode and column, rebuilt after every change:
    // the generators look up every test of every function, changes are rare.
    struct IndexEntry {
        std::size_t position = 0;
        std::size_t count = 0;
    };
    static std::string indexKey(std::string_view mode, std::string_view col);
    void rebuildIndex();

    std::vector<ConnectionRecord> records_;
    std::unordered_map<std::string, IndexEntry> index_;
};

} // namespace kestrel
