#include "core/spec/connection_store.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrel {
namespace {

using F = MeterFunction;

// What the generators find for a few columns: "[picture|text]", "[-]" for no single record.
std::string lookups(const ConnectionStore& store)
{
    std::string out;
    for (const auto& [function, column] : {std::pair{F::Tc, 0}, {F::Dcv, 1}, {F::Dcv, 2}, {F::Acv, 0}, {F::Aci, 0}}) {
        const ConnectionRecord* r = store.findUnique(function, column);
        out += r ? "[" + r->pic.value_or("") + "|" + r->text.value_or("") + "]" : "[-]";
    }
    return out;
}

std::size_t recordsOf(const ConnectionStore& store, F function, int column)
{
    return static_cast<std::size_t>(std::ranges::count_if(
        store.records(), [&](const ConnectionRecord& r) { return r.function == function && r.column == column; }));
}

TEST(ConnectionStore, FindsTheOneRecordOfAColumn)
{
    ConnectionStore store;
    for (const ConnectionRecord& r : {ConnectionRecord{F::Tc, 0, "tc.bmp", {}}, {F::Dcv, 1, {}, "first"},
             {F::Acv, 0, {}, "ac"}, {F::Dcv, 1, {}, "second"}, {F::Dcv, 2, "two.bmp", "Go"}})
        store.append(r);
    EXPECT_EQ(lookups(store), "[tc.bmp|][-][two.bmp|Go][|ac][-]") << "two records for one column count as none";
    EXPECT_EQ(recordsOf(store, F::Dcv, 1), 2u);
    store.remove(F::Dcv, 1);
    EXPECT_EQ(lookups(store), "[tc.bmp|][-][two.bmp|Go][|ac][-]") << "the records behind moved up";
    // Put replaces the one record of a column, or adds it.
    store.put({F::Dcv, 1, {}, "added"});
    store.put({F::Dcv, 2, {}, "replaced"});
    EXPECT_EQ(lookups(store), "[tc.bmp|][|added][|replaced][|ac][-]");
    // A column holding two records (a file written by hand) ends with the one put.
    store.append({F::Dcv, 2, "extra.bmp", {}});
    ASSERT_EQ(lookups(store), "[tc.bmp|][|added][-][|ac][-]");
    store.put({F::Dcv, 2, {}, "replaced"});
    EXPECT_EQ(recordsOf(store, F::Dcv, 2), 1u);
    EXPECT_EQ(lookups(store), "[tc.bmp|][|added][|replaced][|ac][-]");
    const ConnectionStore copy = store;
    store.clearFunction(F::Dcv);
    EXPECT_EQ(lookups(store), "[tc.bmp|][-][-][|ac][-]");
    store.clear();
    EXPECT_EQ(lookups(store), "[-][-][-][-][-]");
    EXPECT_EQ(lookups(copy), "[tc.bmp|][|added][|replaced][|ac][-]") << "a copy keeps its own records";
}

} // namespace
} // namespace kestrel
