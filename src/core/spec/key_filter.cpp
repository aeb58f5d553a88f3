#include "core/spec/key_filter.h"

#include "core/base/text_util.h"
#include "core/spec/spec_table.h"

#include <algorithm>
#include <array>
#include <optional>

namespace kestrel {
namespace {

constexpr std::string_view kMicro = "\xC2\xB5";

KeyResult accept(std::string_view text) { return {true, std::string(text)}; }
KeyResult refuse() { return {false, {}}; }

bool isDigit(std::string_view key) { return key.size() == 1 && key[0] >= '0' && key[0] <= '9'; }

// Length of the UTF-8 character starting at s[i] (1 for a stray byte).
std::size_t charLength(std::string_view s, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t n = 1;
    if (lead >= 0xF0)
        n = 4;
    else if (lead >= 0xE0)
        n = 3;
    else if (lead >= 0xC0)
        n = 2;
    return i + n <= s.size() ? n : 1;
}

// What the filter needs to know of a cell's current text. Typing a long
// text key by key keeps it up to date instead of rescanning the text for
// every key, which would make reading a long cell quadratic.
struct CellState {
    bool hasSeparator = false;  // rows 0, 1, 6 take one decimal separator
    bool hasMultiplier = false; // row 8 ends with its "K" or "M"
};

bool hasMultiplierLetter(std::string_view text) { return text.find_first_of("KkMm") != std::string_view::npos; }

// Rows 0, 1 and 6: numbers with one prefix letter, stored in its canonical case.
KeyResult filterEngineeringKey(MeterFunction f, const CellState& current, std::string_view key, std::string_view decSep)
{
    if (key == decSep)
        return current.hasSeparator ? refuse() : accept(key);
    if (isDigit(key))
        return accept(key);
    if (key == "-")
        return functionInfo(f).allowsMinus ? accept(key) : refuse();
    // A keyboard with a micro sign types the letter the "u" key gives.
    if (key == kMicro)
        return accept(kMicro);
    if (key.size() != 1)
        return refuse();
    switch (key[0]) {
    case 'p':
    case 'P':
        return accept("p");
    case 'n':
    case 'N':
        return accept("n");
    case 'u':
    case 'U':
        return accept(kMicro);
    case 'm':
    case 'M':
        return accept(key); // milli and mega differ only by case
    case 'k':
    case 'K':
        return accept("K");
    case 'g':
    case 'G':
        return accept("G");
    default:
        return refuse();
    }
}

KeyResult filterKeyInState(
    MeterFunction f, int row, const CellState& current, std::string_view key, std::string_view decSep)
{
    if (key == "\b" || key == " " || key == "\r")
        return accept(key);
    if (key == ".")
        key = decSep;
    if (key.empty())
        return refuse();

    switch (row) {
    case RowReadingPct:
    case RowRangePct:
    case RowReadingPpm:
    case RowRangePpm:
        return key == decSep || isDigit(key) ? accept(key) : refuse();
    case RowDigits:
        return isDigit(key) ? accept(key) : refuse();
    case RowFrequency: {
        if (functionInfo(f).rows <= RowFrequency || current.hasMultiplier)
            return refuse();
        const std::string upperKey = toUpper(key);
        return key == decSep || isDigit(key) || upperKey == "K" || upperKey == "M" ? accept(key) : refuse();
    }
    case RowRange:
    case RowLevel:
    case RowFixed:
        return filterEngineeringKey(f, current, key, decSep);
    default:
        return refuse();
    }
}

// A text of digits and "." alone, with "." as the separator, is what the
// filter passes unchanged (a file's numbers): whether each of its keys is
// accepted follows from the row and the number of points, without typing it
// key by key. nullopt for any other text.
std::optional<bool> plainNumberAccepted(MeterFunction f, int row, std::string_view text, std::string_view decSep)
{
    if (decSep != ".")
        return std::nullopt;
    std::size_t points = 0;
    for (const char ch : text) {
        if (ch == '.')
            ++points;
        else if (ch < '0' || ch > '9')
            return std::nullopt;
    }
    switch (row) {
    case RowReadingPct:
    case RowRangePct:
    case RowReadingPpm:
    case RowRangePpm:
        return true;
    case RowDigits:
        return points == 0;
    case RowFrequency:
        return text.empty() || functionInfo(f).rows > RowFrequency;
    case RowRange:
    case RowLevel:
    case RowFixed:
        return points <= 1;
    default:
        return text.empty();
    }
}

} // namespace

KeyResult filterKey(
    MeterFunction f, int row, std::string_view currentCellText, std::string_view key, std::string_view decSep)
{
    const CellState current{!decSep.empty() && contains(currentCellText, decSep), hasMultiplierLetter(currentCellText)};
    return filterKeyInState(f, row, current, key, decSep);
}

CommitResult checkCommit(std::string_view cellText)
{
    const std::string t = toLower(trim(cellText));
    static constexpr std::array<std::string_view, 6> kLetters{"p", "n", kMicro, "m", "k", "g"};
    for (const auto letter : kLetters) {
        const std::size_t pos = t.find(letter);
        if (pos != std::string::npos && pos + letter.size() != t.size())
            return CommitResult::Invalid;
    }
    return t == "0" ? CommitResult::StoreEmpty : CommitResult::Valid;
}

std::optional<std::string> typeIntoCell(MeterFunction f, int row, std::string_view text, std::string_view decSep)
{
    // Most cells are plain numbers: checked whole, they are stored as typed
    // (a plain "0" empty: it holds no prefix letter for the commit check).
    if (const auto accepted = plainNumberAccepted(f, row, text, decSep)) {
        if (!*accepted)
            return std::nullopt;
        return text == "0" ? std::string{} : std::string(text);
    }
    std::string cell;
    CellState state;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = charLength(text, i);
        const std::string_view key = text.substr(i, n);
        i += n;
        if (key == "\b" || key == "\r")
            return std::nullopt;
        KeyResult r = filterKeyInState(f, row, state, key, decSep);
        if (!r.accepted)
            return std::nullopt;
        cell += r.text;
        // Only the tail that the new key can have completed needs a look.
        const std::size_t window = std::min(cell.size(), r.text.size() + decSep.size());
        const std::string_view tail = std::string_view(cell).substr(cell.size() - window);
        state.hasSeparator = state.hasSeparator || (!decSep.empty() && contains(tail, decSep));
        state.hasMultiplier = state.hasMultiplier || hasMultiplierLetter(r.text);
    }
    switch (checkCommit(cell)) {
    case CommitResult::Invalid:
        return std::nullopt;
    case CommitResult::StoreEmpty:
        return std::string{};
    case CommitResult::Valid:
        break;
    }
    return cell;
}

} // namespace kestrel
