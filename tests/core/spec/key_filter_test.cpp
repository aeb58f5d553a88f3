// The grid's key filter one key at a time, then whole texts typed into a
// cell and committed, which is also how a specification file is read.
#include "core/spec/key_filter.h"

#include "core/spec/meter_function.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

constexpr const char* kMicro = "\xC2\xB5";
using F = MeterFunction;

TEST(KeyFilter, KeysAndTypedTexts)
{
    // inserted is nullptr when the key is refused.
    const struct {
        F function;
        int row;
        const char* current;
        const char* key;
        const char* sep;
        const char* inserted;
    } cases[] = {// Editing keys pass in every row.
        {F::Dcv, 7, "12", "\b", ".", "\b"}, {F::Acv, 8, "50K", "\b", ".", "\b"}, {F::Dcv, 2, "", " ", ".", " "},
        {F::Dcv, 0, "", "\r", ".", "\r"},
        // "." becomes the locale's separator; a second one is refused in rows 0, 1, 6.
        {F::Dcv, 0, "1", ".", ",", ","}, {F::Dcv, 0, "1,5", ".", ",", nullptr}, {F::Dcv, 0, "1,5", ",", ",", nullptr},
        {F::Dcv, 0, "1", ",", ".", nullptr}, {F::Dcv, 1, "1.5", ".", ".", nullptr}, {F::Dcv, 6, "", ".", ".", "."},
        {F::Dcv, 2, "0.5", ".", ".", "."}, {F::Dcv, 2, "0", ".", ",", ","},
        // Minus only where the function allows it, and only in rows 0, 1, 6.
        {F::Dcv, 0, "", "-", ".", "-"}, {F::Acv, 0, "", "-", ".", nullptr}, {F::Tc, 1, "", "-", ".", "-"},
        {F::Rtd, 6, "", "-", ".", "-"}, {F::Dci, 0, "", "-", ".", "-"}, {F::Ohm, 0, "", "-", ".", nullptr},
        {F::Dcv, 2, "", "-", ".", nullptr},
        // Prefix letters and their normalisation.
        {F::Dcv, 6, "2", "u", ".", kMicro}, {F::Dcv, 6, "2", "U", ".", kMicro}, {F::Dcv, 6, "2", kMicro, ".", kMicro},
        {F::Dcv, 0, "5", "k", ".", "K"}, {F::Dcv, 0, "5", "K", ".", "K"}, {F::Dcv, 0, "3", "m", ".", "m"},
        {F::Dcv, 0, "3", "M", ".", "M"}, {F::Cap, 0, "5", "P", ".", "p"}, {F::Cap, 0, "5", "N", ".", "n"},
        {F::Cap, 1, "5", "n", ".", "n"}, {F::Ohm, 0, "1", "g", ".", "G"}, {F::Dcv, 0, "1", "x", ".", nullptr},
        {F::Dcv, 0, "1", "e", ".", nullptr}, {F::Dcv, 0, "1", "+", ".", nullptr},
        // Accuracy rows take digits and the separator only; the digits row digits only.
        {F::Dcv, 3, "", "7", ".", "7"}, {F::Dcv, 4, "", "m", ".", nullptr}, {F::Dcv, 5, "", kMicro, ".", nullptr},
        {F::Dcv, 7, "", "3", ".", "3"}, {F::Dcv, 7, "", ".", ".", nullptr}, {F::Dcv, 7, "", "K", ".", nullptr},
        // Frequency row: K or M as typed, and nothing after them.
        {F::Acv, 8, "50", "K", ".", "K"}, {F::Acv, 8, "50", "k", ".", "k"}, {F::Aci, 8, "1", "m", ".", "m"},
        {F::Acv, 8, "50K", "0", ".", nullptr}, {F::Acv, 8, "50k", "0", ".", nullptr},
        {F::Acv, 8, "1M", "K", ".", nullptr}, {F::Acv, 8, "1", ".", ".", "."}, {F::Acv, 8, "1", "G", ".", nullptr},
        {F::Acv, 8, "1", "-", ".", nullptr},
        // Tables without a frequency row, rows that do not exist, no key at all.
        {F::Dcv, 8, "", "5", ".", nullptr}, {F::Acv, 9, "", "5", ".", nullptr}, {F::Dcv, -1, "", "5", ".", nullptr},
        {F::Dcv, 0, "", "", ".", nullptr}};
    for (const auto& c : cases) {
        const KeyResult r = filterKey(c.function, c.row, c.current, c.key, c.sep);
        SCOPED_TRACE(testing::Message() << "row " << c.row << " key '" << c.key << "' after '" << c.current << "'");
        EXPECT_EQ(r.accepted, c.inserted != nullptr);
        EXPECT_EQ(r.accepted ? r.text : "", c.inserted ? c.inserted : "");
    }

    // Whole texts typed into an empty cell: stored is nullopt when a key is refused or the commit check fails.
    const struct {
        F function;
        int row;
        const char* text;
        const char* sep;
        std::optional<std::string> stored;
    } texts[] = {{F::Dcv, 0, "1.5m", ",", "1,5m"}, {F::Dcv, 0, "1.5.5", ",", std::nullopt},
        {F::Dcv, 0, "-10", ".", "-10"}, {F::Acv, 0, "-10", ".", std::nullopt}, {F::Dcv, 6, "2u", ".", "2\xC2\xB5"},
        {F::Dcv, 7, "1.5", ".", std::nullopt}, {F::Acv, 8, "50K", ".", "50K"}, {F::Acv, 8, "50K0", ".", std::nullopt},
        {F::Dcv, 0, "1 0", ".", "1 0"}, {F::Dcv, 0, "", ".", ""}, {F::Dcv, 0, "2\b", ".", std::nullopt},
        {F::Dcv, 0, "2\r", ".", std::nullopt}, {F::Dcv, 0, "\xFF", ".", std::nullopt},
        // A prefix letter anywhere but last fails the commit; a plain 0 is stored empty.
        {F::Dcv, 0, "1m5", ".", std::nullopt}, {F::Dcv, 0, "10mM", ".", std::nullopt},
        {F::Dcv, 0, "5u1", ".", std::nullopt}, {F::Dcv, 0, "K5", ".", std::nullopt}, {F::Dcv, 0, " 2K ", ".", " 2K "},
        {F::Dcv, 0, "50u", ".", "50\xC2\xB5"}, {F::Dcv, 2, "0", ".", ""}, {F::Dcv, 0, " 0 ", ".", ""},
        {F::Dcv, 0, "0.0", ".", "0.0"}};
    for (const auto& c : texts)
        EXPECT_EQ(typeIntoCell(c.function, c.row, c.text, c.sep), c.stored) << c.text;
    // A long cell is read in one pass, not rescanned for every key.
    const std::string digits(200000, '1');
    EXPECT_EQ(typeIntoCell(F::Acv, 8, digits + "K", "."), digits + "K");
    EXPECT_EQ(typeIntoCell(F::Acv, 8, digits + "M1", "."), std::nullopt);
    EXPECT_EQ(typeIntoCell(F::Dcv, 0, digits + ",5,", ","), std::nullopt);
}

// A text typed key by key through the filter, then committed.
std::optional<std::string> typedKeyByKey(F function, int row, std::string_view text, std::string_view sep)
{
    std::string cell;
    for (const char ch : text) {
        const KeyResult r = filterKey(function, row, cell, std::string(1, ch), sep);
        if (!r.accepted)
            return std::nullopt;
        cell += r.text;
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

TEST(KeyFilter, PlainNumbersStoredAsTypingThemKeyByKeyStoresThem)
{
    // Cells of digits and points are checked whole; every function and row
    // must store them exactly as typing them would.
    for (const char* text : {"", "0", "00", "7", "1.5", ".5", "5.", ".", "..", "1.5.5", "0.0", "1234567890", "2.000"})
        for (const char* sep : {".", ","})
            for (const F function : kAllFunctions)
                for (int row = -1; row <= 9; ++row)
                    EXPECT_EQ(typeIntoCell(function, row, text, sep), typedKeyByKey(function, row, text, sep))
                        << "'" << text << "' in row " << row << " of function " << static_cast<int>(function)
                        << " with separator " << sep;
}

} // namespace
} // namespace kestrel
