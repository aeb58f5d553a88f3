#include "core/spec/connection_store.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

// What the generators find for a few columns: "[picture|text]", "[-]" for no single record.
std::string lookups(const ConnectionStore& store)
{
    std::string out;
    for (const auto& [mode, column] : {std::pair{"tc", 0}, {"Dcv", 1}, {"dcv", 2}, {"ACV", 0}, {"aci", 0}}) {
        const ConnectionRecord* r = store.findUnique(mode, column);
        out += r ? "[" + r->pic.value_or("") + "|" + r->text.value_or("") + "]" : "[-]";
    }
    return out;
}

TEST(ConnectionStore, FindsTheOneRecordOfAColumnWhateverTheModeCase)
{
    ConnectionStore store;
    for (const ConnectionRecord& r : {ConnectionRecord{"TC", "0", "tc.bmp", {}}, {"dcv", "1", {}, "first"},
                                      {"acv", "0", {}, "ac"}, {"DCV", "1", {}, "second"}, {"dcv", "2", "two.bmp", "Go"}})
        store.append(r);
    EXPECT_EQ(lookups(store), "[tc.bmp|][-][two.bmp|Go][|ac][-]") << "two records for one column count as none";
    EXPECT_EQ(store.count("dcv", 1), 2u);
    store.remove("dCV", 1);
    EXPECT_EQ(lookups(store), "[tc.bmp|][-][two.bmp|Go][|ac][-]") << "the records behind moved up";
    // Put replaces the one record of a column, or adds it.
    store.put({"DCV", "1", {}, "added"});
    store.put({"dcv", "2", {}, "replaced"});
    EXPECT_EQ(lookups(store), "[tc.bmp|][|added][|replaced][|ac][-]");
    // A column holding two records (a file written by hand) ends with the one put.
    store.append({"Dcv", "2", "extra.bmp", {}});
    ASSERT_EQ(lookups(store), "[tc.bmp|][|added][-][|ac][-]");
    store.put({"dcv", "2", {}, "replaced"});
    EXPECT_EQ(store.count("dcv", 2), 1u);
    EXPECT_EQ(lookups(store), "[tc.bmp|][|added][|replaced][|ac][-]");
    const ConnectionStore copy = store;
    store.clearMode("dcv");
    EXPECT_EQ(lookups(store), "[tc.bmp|][-][-][|ac][-]");
    store.clearMode("ALL");
    EXPECT_EQ(lookups(store), "[-][-][-][-][-]");
    EXPECT_EQ(lookups(copy), "[tc.bmp|][|added][|replaced][|ac][-]") << "a copy keeps its own records";
}

} // namespace
} // namespace kestrel
