#pragma once
// Every key of a specification file, once: its name, the object it sits
// in, what kind of value it holds and how the inputs give that value as the
// file writes it. The reader, the writer and the comparison of two
// specifications all take their keys from here, in this order, which is
// the order the file is written in; docs/specification-files.md lists the
// same keys.
#include "core/app/procedure_inputs.h"
#include "core/app/spec_value.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::specfile {

enum class Key {
    Format,
    Version,
    Page,
    Procedure,
    Name,
    Author,
    Revision,
    Comments,
    Options,
    ToleranceStyle,
    FunctionMessages,
    Autoranging,
    PostTestWindow,
    OperatorButtons,
    ButtonList,
    ButtonCancel,
    ButtonRepeat,
    DataEntry,
    TurChecking,
    Measurements,
    Meter,
    Reference,
    TcType,
    RtdType,
    TempScale,
    Functions,
    Scope,
    ScopeReference,
    Channels,
    VertGainLow,
    VertGainHigh,
    VerticalAccuracy,
    SweepFast,
    SweepSlow,
    TimebaseAccuracy,
    Bandwidth,
    RisetimeTest,
    Risetime,
    ImpedanceTest,
    Accuracy1MOhm,
    Accuracy50Ohm,
    Capacitance,
    CapAccuracy,
    Connections,
    // The keys of each record of `connections`.
    RecordFunction,
    RecordColumn,
    RecordPicture,
    RecordText,
};

enum class KeyKind {
    Object,      // holds the keys whose parent it is
    Functions,   // meter.functions: a list of grid columns by function code
    Records,     // connections: a list of instruction records
    Text,        // a JSON string
    YesNo,       // true or false
    WholeNumber, // a number without fraction or exponent
    Choice,      // a text from a fixed list
};

struct SpecKey {
    Key key;
    std::string_view name;     // "list"
    std::optional<Key> parent; // Key::OperatorButtons; none at the top level
    KeyKind kind;
    // The value as the file writes it, for the keys that hold one value of
    // the specification (not for objects, lists, a record's keys, or the
    // format and version the file is marked with).
    SpecValue (*value)(const ProcedureInputs&) = nullptr;
};

// The table, in the order of the file.
std::span<const SpecKey> specKeys();
const SpecKey& specKey(Key key);

// The name of a key: "tolerance_style".
std::string keyName(Key key);
// The key path the reader and the comparison name a key by:
// "options.operator_buttons.list". A record's key has no path of its own.
std::string keyPath(Key key);
// "connections[2].text": a key of the record at `index`.
std::string recordKeyPath(std::size_t index, Key key);

// The keys an object holds, in order.
std::vector<Key> keysOf(std::optional<Key> parent);

// A key's value on a first start, which is also what a file that leaves
// the key out reads as; nothing for a key without a value of its own.
std::optional<SpecValue> defaultValue(Key key);

// The cell keys of a grid column, by grid row.
inline constexpr std::array<std::string_view, 9> kCellKeys{
    "range", "level", "reading_pct", "range_pct", "reading_ppm", "range_ppm", "fixed", "digits", "frequency"};

} // namespace kestrel::specfile
