#pragma once
// Connection_RS: the operator instructions attached to grid columns, one
// record per function and column, kept for the run only (never saved with
// the localization). The generators use a record only when exactly one
// matches; two records for one column count as none.
#include "core/spec/meter_function.h"
#include "core/spec/spec_table.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrel {

// An instruction text is at most eight lines of at most 56 characters, the
// most a DISP display shows.
inline constexpr std::size_t kInstructionLines = 8;
inline constexpr std::size_t kInstructionLineLength = 56;

// A record belongs to one column of one function: a store holds at most one
// for each of the grid's places. More can only be second records for a
// column, which the generators ignore; a specification file holding more is
// refused.
inline constexpr std::size_t kMaxConnectionRecords = kFunctionCount * static_cast<std::size_t>(kColumnCount);

// A PIC step names its picture where a DISP step's text stands, from body
// column 14 to the end of the line, so a name is as long as a line of text.
// It is a bare file name in Tessel's picture folder: a folder or ".." in it
// would reach files outside that folder.
inline constexpr std::size_t kPictureNameLength = kInstructionLineLength;

// Why a picture name cannot stand in a PIC step ("names a folder"), or ""
// when it can. An empty name is allowed: the wizard stores one.
std::string pictureNameProblem(std::string_view name);

// Why a text cannot be an instruction record's (a refused character, more
// than kInstructionLines lines, a line longer than kInstructionLineLength
// characters: "line 2 is longer than 56 characters"), or "" when it can.
// Lines end in LF or CR LF and are measured before anything is converted.
// The specification-file reader and every window that makes a record ask
// here, so that a record the window keeps is one a file gives back.
std::string instructionTextProblem(std::string_view text);

struct ConnectionRecord {
    MeterFunction function = MeterFunction::Dcv;
    int column = 0;                  // 0-based grid column
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

    // The record of (function, column) when exactly one matches, else nullptr.
    const ConnectionRecord* findUnique(MeterFunction function, int column) const;

    // Files the record as the one of its function and column: it replaces
    // whatever records the column held, or is added when it held none.
    void put(ConnectionRecord record);
    // Deletes every record of (function, column).
    void remove(MeterFunction function, int column);

    // Clear_Connection_Recordset: every record of one function, or all.
    void clearFunction(MeterFunction function);
    void clear();

    bool operator==(const ConnectionStore& other) const { return records_ == other.records_; }

private:
    // Records by function and column, rebuilt after every change: the
    // generators look up every test of every function, changes are rare.
    struct IndexEntry {
        std::size_t position = 0;
        std::size_t count = 0;
    };
    using IndexKey = std::pair<MeterFunction, int>;
    void rebuildIndex();

    std::vector<ConnectionRecord> records_;
    std::map<IndexKey, IndexEntry> index_;
};

} // namespace kestrel
