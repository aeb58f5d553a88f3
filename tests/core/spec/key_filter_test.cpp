#include "core/spec/key_filter.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

constexpr const char* kMicro = "\xC2\xB5";

struct KeyCase {
    MeterFunction function;
    int row;
    const char* current;
    const char* key;
    const char* sep;
    bool accepted;
    const char* inserted;
};

class FilterKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(FilterKey, AcceptsRefusesOrNormalises)
{
    const auto& p = GetParam();
    const KeyResult r = filterKey(p.function, p.row, p.current, p.key, p.sep);
    EXPECT_EQ(r.accepted, p.accepted) << "row " << p.row << " key '" << p.key << "' after '" << p.current << "'";
    if (p.accepted) {
        EXPECT_EQ(r.text, p.inserted) << "row " << p.row << " key '" << p.key << "'";
    }
}

using F = MeterFunction;
INSTANTIATE_TEST_SUITE_P(Rows, FilterKey, ::testing::Values(
    // Editing keys pass in every row.
    KeyCase{F::Dcv, 7, "12", "\b", ".", true, "\b"}, KeyCase{F::Acv, 8, "50K", "\b", ".", true, "\b"},
    KeyCase{F::Dcv, 2, "", " ", ".", true, " "}, KeyCase{F::Dcv, 0, "", "\r", ".", true, "\r"},
    // Decimal separator: "." becomes the locale's, a second one is refused in rows 0, 1, 6.
    KeyCase{F::Dcv, 0, "1", ".", ",", true, ","}, KeyCase{F::Dcv, 0, "1,5", ".", ",", false, ""},
    KeyCase{F::Dcv, 0, "1,5", ",", ",", false, ""}, KeyCase{F::Dcv, 0, "1", ",", ".", false, ""},
    KeyCase{F::Dcv, 1, "1.5", ".", ".", false, ""}, KeyCase{F::Dcv, 6, "", ".", ".", true, "."},
    KeyCase{F::Dcv, 2, "0.5", ".", ".", true, "."}, KeyCase{F::Dcv, 2, "0", ".", ",", true, ","},
    // Minus only where the function allows it, and only in rows 0, 1, 6.
    KeyCase{F::Dcv, 0, "", "-", ".", true, "-"}, KeyCase{F::Acv, 0, "", "-", ".", false, ""},
    KeyCase{F::Tc, 1, "", "-", ".", true, "-"}, KeyCase{F::Rtd, 6, "", "-", ".", true, "-"},
    KeyCase{F::Dci, 0, "", "-", ".", true, "-"}, KeyCase{F::Ohm, 0, "", "-", ".", false, ""},
    KeyCase{F::Dcv, 2, "", "-", ".", false, ""},
    // Prefix letters and their normalisation.
    KeyCase{F::Dcv, 6, "2", "u", ".", true, kMicro}, KeyCase{F::Dcv, 6, "2", "U", ".", true, kMicro},
    KeyCase{F::Dcv, 6, "2", kMicro, ".", true, kMicro}, KeyCase{F::Dcv, 0, "5", "k", ".", true, "K"},
    KeyCase{F::Dcv, 0, "5", "K", ".", true, "K"}, KeyCase{F::Dcv, 0, "3", "m", ".", true, "m"},
    KeyCase{F::Dcv, 0, "3", "M", ".", true, "M"}, KeyCase{F::Cap, 0, "5", "P", ".", true, "p"},
    KeyCase{F::Cap, 0, "5", "N", ".", true, "n"}, KeyCase{F::Cap, 1, "5", "n", ".", true, "n"},
    KeyCase{F::Ohm, 0, "1", "g", ".", true, "G"}, KeyCase{F::Dcv, 0, "1", "x", ".", false, ""},
    KeyCase{F::Dcv, 0, "1", "e", ".", false, ""}, KeyCase{F::Dcv, 0, "1", "+", ".", false, ""},
    // Accuracy rows take digits and the separator only.
    KeyCase{F::Dcv, 3, "", "7", ".", true, "7"}, KeyCase{F::Dcv, 4, "", "m", ".", false, ""},
    KeyCase{F::Dcv, 5, "", kMicro, ".", false, ""},
    // Digits row: digits only.
    KeyCase{F::Dcv, 7, "", "3", ".", true, "3"}, KeyCase{F::Dcv, 7, "", ".", ".", false, ""},
    KeyCase{F::Dcv, 7, "", "K", ".", false, ""},
    // Frequency row: K or M as typed, and nothing after them.
    KeyCase{F::Acv, 8, "50", "K", ".", true, "K"}, KeyCase{F::Acv, 8, "50", "k", ".", true, "k"},
    KeyCase{F::Aci, 8, "1", "m", ".", true, "m"}, KeyCase{F::Acv, 8, "50K", "0", ".", false, ""},
    KeyCase{F::Acv, 8, "50k", "0", ".", false, ""}, KeyCase{F::Acv, 8, "1M", "K", ".", false, ""},
    KeyCase{F::Acv, 8, "1", ".", ".", true, "."}, KeyCase{F::Acv, 8, "1", "G", ".", false, ""},
    KeyCase{F::Acv, 8, "1", "-", ".", false, ""},
    // Tables without a frequency row, and rows that do not exist.
    KeyCase{F::Dcv, 8, "", "5", ".", false, ""}, KeyCase{F::Acv, 9, "", "5", ".", false, ""},
    KeyCase{F::Dcv, -1, "", "5", ".", false, ""}, KeyCase{F::Dcv, 0, "", "", ".", false, ""}));

TEST(CheckCommit, PrefixLettersOnlyLast)
{
    EXPECT_EQ(checkCommit("1m5"), CommitResult::Invalid);
    EXPECT_EQ(checkCommit("10mM"), CommitResult::Invalid);
    EXPECT_EQ(checkCommit("5\xC2\xB5" "1"), CommitResult::Invalid);
    EXPECT_EQ(checkCommit("K5"), CommitResult::Invalid);
    EXPECT_EQ(checkCommit("1.5m"), CommitResult::Valid);
    EXPECT_EQ(checkCommit(" 2K "), CommitResult::Valid);
    EXPECT_EQ(checkCommit("50\xC2\xB5"), CommitResult::Valid);
    EXPECT_EQ(checkCommit(""), CommitResult::Valid);
    EXPECT_EQ(checkCommit("0"), CommitResult::StoreEmpty);
    EXPECT_EQ(checkCommit(" 0 "), CommitResult::StoreEmpty);
    EXPECT_EQ(checkCommit("0.0"), CommitResult::Valid);
}

struct TypeCase {
    MeterFunction function;
    int row;
    const char* text;
    const char* sep;
    std::optional<std::string> stored;
};

class TypeIntoCell : public ::testing::TestWithParam<TypeCase> {};

TEST_P(TypeIntoCell, KeysThenCommit)
{
    const auto& p = GetParam();
    EXPECT_EQ(typeIntoCell(p.function, p.row, p.text, p.sep), p.stored) << p.text;
}

INSTANTIATE_TEST_SUITE_P(Texts, TypeIntoCell, ::testing::Values(
    TypeCase{F::Dcv, 0, "1.5m", ",", "1,5m"}, TypeCase{F::Dcv, 0, "1.5.5", ",", std::nullopt},
    TypeCase{F::Dcv, 0, "-10", ".", "-10"}, TypeCase{F::Acv, 0, "-10", ".", std::nullopt},
    TypeCase{F::Dcv, 6, "2u", ".", "2\xC2\xB5"}, TypeCase{F::Dcv, 6, "5k", ".", "5K"},
    TypeCase{F::Dcv, 6, "3m", ".", "3m"}, TypeCase{F::Dcv, 6, "3M", ".", "3M"},
    TypeCase{F::Dcv, 0, "1m5", ".", std::nullopt}, TypeCase{F::Dcv, 2, "0", ".", ""},
    TypeCase{F::Dcv, 7, "1.5", ".", std::nullopt}, TypeCase{F::Acv, 8, "50K", ".", "50K"},
    TypeCase{F::Acv, 8, "50K0", ".", std::nullopt}, TypeCase{F::Dcv, 0, "", ".", ""},
    TypeCase{F::Dcv, 0, "2\b", ".", std::nullopt}, TypeCase{F::Dcv, 0, "2\r", ".", std::nullopt},
    TypeCase{F::Dcv, 0, "\xFF", ".", std::nullopt}, TypeCase{F::Dcv, 0, "1 0", ".", "1 0"}));

} // namespace
} // namespace kestrel
