// Exact decimals: sums and products that binary floating point gets wrong
// come out exact, and the written text rounds like a double's would.
#include "core/spec/decimal.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

Decimal d(const char* text) { return Decimal::parse(text); }

TEST(Decimal, WrittenShortestWithFifteenDigitsAtMost)
{
    const struct {
        const char* number;
        const char* text;
    } cases[] = {{"0", "0"}, {"-0.000", "0"}, {"+2.50", "2.5"}, {".5", "0.5"}, {"000123.4500", "123.45"},
        {"1e3", "1000"}, {"1.5E-3", "0.0015"}, {"-25e-1", "-2.5"}, {"1e-20", "0.00000000000000000001"},
        {"1234567890123456789", "1234567890123460000"}, {"73.33333333333333333", "73.3333333333333"},
        // Ties go to the even digit, as a double's digits are rounded; anything past a tie rounds up.
        {"0.1234567890123445", "0.123456789012344"}, {"0.1234567890123455", "0.123456789012346"},
        {"0.12345678901234451", "0.123456789012345"}, {"-0.9999999999999995", "-1"},
        // Reading stops where the number ends; no digits is 0.
        {"12.5.3", "12.5"}, {"", "0"}, {"-", "0"}, {"abc", "0"}};
    for (const auto& c : cases)
        EXPECT_EQ(d(c.number).text(), c.text) << c.number;
}

TEST(Decimal, SumsAndProductsAreExact)
{
    const struct {
        const char* a;
        char op;
        const char* b;
        const char* result;
    } cases[] = {{"0.1", '+', "0.2", "0.3"}, {"5.775", '-', "5.5", "0.275"}, {"0.00001", '-', "0.000010", "0"},
        {"-0.000088", '+', "0.00009", "0.000002"}, {"0.1925", '*', "0.03", "0.005775"}, {"-880e-6", '*', "1e6", "-880"},
        {"3", '*', "0.1", "0.3"}, {"-2.4", '+', "2.4", "0"},
        // Twenty decades apart: the small part survives the sum.
        {"1e20", '+', "1e-20", "100000000000000000000"},
        // Coefficients longer than a machine integer.
        {"999999999999999999", '+', "1", "1000000000000000000"},
        {"123456789012345678901234567890", '-', "123456789012345678901234567889", "1"},
        {"-1000000000000000000000000000000.5", '+', "1e30", "-0.5"}, {"0.111111111111111111111", '*', "9", "1"}};
    for (const auto& c : cases) {
        const Decimal result = c.op == '+' ? d(c.a) + d(c.b) : c.op == '-' ? d(c.a) - d(c.b) : d(c.a) * d(c.b);
        EXPECT_EQ(result.text(), c.result) << c.a << c.op << c.b;
    }
    EXPECT_EQ(((d("1e20") + d("1e-20")) - d("1e20")).text(), "0.00000000000000000001");
    EXPECT_EQ((d("0.111111111111111111111") * d("9") - d("0.999999999999999999998")).text(), "0.000000000000000000001");
    EXPECT_EQ(d("1.50"), d("15e-1"));
    EXPECT_TRUE((d("0.3") - d("0.1") * d("3")).isZero());
}

TEST(Decimal, FloorRoundingAndPowersOfTen)
{
    const struct {
        const char* number;
        const char* floor;
        const char* rounded3;
    } cases[] = {{"2.5", "2", "2.5"}, {"-2.5", "-3", "-2.5"}, {"3", "3", "3"}, {"-0.001", "-1", "-0.001"},
        {"0.999", "0", "0.999"}, {"120", "120", "120"}, {"123456", "123456", "123000"}, {"-9.995", "-10", "-10"},
        {"1.2345", "1", "1.23"}, {"1.2355", "1", "1.24"}};
    for (const auto& c : cases) {
        EXPECT_EQ(d(c.number).floor().text(), c.floor) << c.number;
        EXPECT_EQ(d(c.number).rounded(3).text(), c.rounded3) << c.number;
    }
    EXPECT_EQ(d("1.5").timesTenTo(-3).text(), "0.0015");
    EXPECT_EQ(d("1.5").timesTenTo(12).text(), "1500000000000");
    EXPECT_TRUE(Decimal{}.timesTenTo(5).isZero());
}

} // namespace
} // namespace kestrel
