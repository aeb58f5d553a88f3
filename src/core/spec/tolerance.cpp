#include "core/spec/tolerance.h"

#include "core/base/failure.h"
#include "core/base/text_util.h"
#include "core/spec/numbers.h"

#include <array>
#include <cmath>
#include <utility>

namespace kestrel {
namespace {

constexpr std::string_view kMicro = "\xC2\xB5";

struct FixedOhms {
    double value;
    std::string_view label;
};

constexpr std::array<FixedOhms, 18> kFixedOhms76xx{{
    {0, "0"},
    {1, "1"},
    {1.9, "1.9"},
    {10, "10"},
    {19, "19"},
    {100, "100"},
    {190, "190"},
    {1000, "1.00K"},
    {1900, "1.90K"},
    {10000, "10.0K"},
    {19000, "19.0K"},
    {100000, "100.0K"},
    {190000, "190.0K"},
    {1e6, "1.00M"},
    {1.9e6, "1.90M"},
    {1e7, "10.0M"},
    {1.9e7, "19.0M"},
    {1e8, "100.0M"},
}};

constexpr std::array<FixedOhms, 8> kFixedOhmsDecade{{
    {10, "10.00"},
    {100, "100.00"},
    {1000, "1.000K"},
    {10000, "10.00K"},
    {100000, "100.00K"},
    {1e6, "1.00M"},
    {1e7, "10.00M"},
    {1e8, "100.00M"},
}};

template <std::size_t N> std::string fixedOhmsLabel(const std::array<FixedOhms, N>& table, double x)
{
    std::size_t i = 0;
    while (i < table.size() && table[i].value <= x)
        ++i;
    if (i == 0)
        throw ProcedureFailure(kErrSubscript, "Subscript out of range");
    return std::string(table[i - 1].label);
}

std::size_t countDigits(std::string_view s)
{
    std::size_t n = 0;
    for (const char ch : s)
        if (ch >= '0' && ch <= '9')
            ++n;
    return n;
}

// The fixed term plus the digits term, in the range's units.
Decimal floorValue(const SpecTable& a, int column, std::string_view decSep)
{
    const std::string r = trim(a.cell(RowRange, column));
    const std::string u = trim(a.cell(RowFixed, column));
    Decimal units;
    if (!u.empty())
        units = exactTextToValue(u, decSep).timesTenTo(rangeUnitPower(r));

    Decimal floor;
    const std::string& digits = a.cell(RowDigits, column);
    if (!digits.empty()) {
        // The range's decimals give the weight of one count of the last digit.
        std::string n;
        for (std::size_t i = 0; i < r.size();) {
            if (!decSep.empty() && r.compare(i, decSep.size(), decSep) == 0) {
                n += decSep;
                i += decSep.size();
            } else {
                if (r[i] >= '0' && r[i] <= '9')
                    n += r[i];
                ++i;
            }
        }
        const std::size_t p = decSep.empty() ? std::string::npos : n.find(decSep);
        if (p != std::string::npos) {
            const auto k = static_cast<int>(n.size() - p - decSep.size());
            floor = exactLeadingNumber(digits, decSep).floor().timesTenTo(-k);
        } else {
            floor = exactTextToValue(digits, decSep);
        }
    }
    return units + floor;
}

} // namespace

std::string localNumberText(const Decimal& value, std::string_view decSep)
{
    return replaceAll(value.text(), ".", decSep);
}

int rangeUnitPower(std::string_view rangeText)
{
    static constexpr std::array<std::pair<std::string_view, int>, 7> kLetters{{
        {"p", 12},
        {"n", 9},
        {kMicro, 6},
        {"m", 3},
        {"K", -3},
        {"M", -6},
        {"G", -9},
    }};
    int power = 0;
    for (const auto& [letter, letterPower] : kLetters)
        if (contains(rangeText, letter))
            power += letterPower;
    return power;
}

std::string calcTolerance(const SpecTable& a, int column, ToleranceStyle style, std::string_view decSep)
{
    if (style == ToleranceStyle::Units)
        return calcAbsTolerance(a, column, decSep);
    static constexpr std::array<std::string_view, 4> kSuffixes{"% ", "/ ", "P% ", "P/ "};
    std::string s;
    for (int row = RowReadingPct; row <= RowRangePpm; ++row) {
        const std::string& cell = a.cell(row, column);
        if (leadingNumber(cell, decSep) != 0.0) {
            s += cell;
            s += kSuffixes[static_cast<std::size_t>(row - RowReadingPct)];
        }
    }
    return s + calcFloor(a, column, decSep);
}

std::string calcFloor(const SpecTable& a, int column, std::string_view decSep)
{
    const Decimal floor = floorValue(a, column, decSep);
    return floor.isZero() ? std::string{} : localNumberText(floor, decSep) + "U";
}

Decimal absToleranceValue(const SpecTable& a, int column, std::string_view decSep)
{
    const std::string& rangeText = a.cell(RowRange, column);
    const Decimal rng = exactTextToValue(rangeText, decSep);
    if (rng.isZero())
        return {};
    const std::string& levelText = a.cell(RowLevel, column);
    const Decimal lvl = isBlank(levelText) ? rng : exactTextToValue(levelText, decSep);

    // Terms that are 0 add nothing, so all four are summed.
    const auto term = [&](int row, int power) {
        return exactLeadingNumber(a.cell(row, column), decSep).timesTenTo(power);
    };
    const Decimal ofReading = term(RowReadingPct, -2) + term(RowReadingPpm, -6);
    const Decimal ofRange = term(RowRangePct, -2) + term(RowRangePpm, -6);
    Decimal tol;
    if (!lvl.isZero())
        tol = (lvl * ofReading + rng * ofRange).timesTenTo(rangeUnitPower(rangeText));
    // The floor counts as calcFloor writes it.
    tol = tol + floorValue(a, column, decSep).rounded(kWrittenDigits);
    return tol.rounded(kWrittenDigits);
}

std::string calcAbsTolerance(const SpecTable& a, int column, std::string_view decSep)
{
    if (exactTextToValue(a.cell(RowRange, column), decSep).isZero())
        return "0";
    return localNumberText(absToleranceValue(a, column, decSep), decSep) + "U";
}

std::string formatNominal(std::string& s, std::string_view decSep)
{
    s = replaceAll(std::string(s), kMicro, "u");
    if (decSep != ".")
        s = replaceAll(std::string(s), decSep, ".");
    return s;
}

std::string getFixedOhmsValue(std::string_view s, std::string_view referenceText, std::string_view decSep)
{
    const double x = textToValue(s, decSep);
    // The 76xx models share their first two characters; so does no other standard.
    if (startsWith(referenceText, "76"))
        return fixedOhmsLabel(kFixedOhms76xx, x);
    return fixedOhmsLabel(kFixedOhmsDecade, x);
}

std::string multGrid(std::string_view s, std::string_view decSep)
{
    const std::string t = replaceAll(std::string(s), decSep, ".");
    const double number = leadingNumber(t);
    double x = std::fabs(number);

    // The last letter found in this order decides; a committed cell holds one at most.
    struct Scale {
        std::string_view letter;
        bool anyCase;
        double factor;
    };
    static constexpr std::array<Scale, 8> kScales{{
        {"P", true, 1e-12},
        {"N", true, 1e-9},
        {"U", true, 1e-6},
        {kMicro, false, 1e-6},
        {"K", true, 1e3},
        {"G", true, 1e9},
        {"m", false, 1e-3},
        {"M", false, 1e6},
    }};
    double factor = 1.0;
    const std::string upper = toUpper(t);
    for (const auto& scale : kScales)
        if (contains(scale.anyCase ? std::string_view(upper) : std::string_view(t), scale.letter))
            factor = scale.factor;
    x *= factor;

    const double y = x * 10;
    double mantissa = y;
    std::string_view prefix;
    if (y == 0.0) {
        mantissa = 0.0;
    } else if (y < 1e-9) {
        mantissa = y * 1e12;
        prefix = "p";
    } else if (y < 1e-6) {
        mantissa = y * 1e9;
        prefix = "n";
    } else if (y < 1e-3) {
        mantissa = y * 1e6;
        prefix = kMicro;
    } else if (y < 0.5) {
        mantissa = y * 1e3;
        prefix = "m";
    } else if (y < 2999) {
        mantissa = y;
    } else if (y < 999999) {
        mantissa = y / 1e3;
        prefix = "K";
    } else if (y < 999999999) {
        mantissa = y / 1e6;
        prefix = "M";
    } else {
        mantissa = y / 1e9;
        prefix = "G";
    }

    std::string m = numberText(mantissa);
    const std::size_t have = countDigits(m);
    const std::size_t want = countDigits(s);
    if (want > have) {
        if (!contains(m, "."))
            m += '.';
        m.append(want - have, '0');
    }
    if (number < 0)
        m.insert(0, "-");
    return trim(replaceAll(std::string(m), ".", decSep)) + std::string(prefix);
}

} // namespace kestrel
