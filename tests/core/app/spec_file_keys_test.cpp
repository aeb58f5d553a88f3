// The key table of specification files: looked up by key, the reader
// refuses a value of the wrong type under the path the table gives, and
// the fuzz targets' dictionary holds every key.
#include "core/app/spec_file_keys.h"

#include "core/app/spec_file.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace kestrel {
namespace {

using namespace specfile;

TEST(SpecFileKeys, EveryKeyStandsAtItsPlaceAndNamesOneKeyOfItsObject)
{
    std::set<std::string> paths;
    for (std::size_t i = 0; i < specKeys().size(); ++i) {
        const SpecKey& key = specKeys()[i];
        EXPECT_EQ(static_cast<std::size_t>(key.key), i) << key.name;
        EXPECT_EQ(&specKey(key.key), &key) << key.name;
        EXPECT_TRUE(paths.insert(keyPath(key.key)).second) << keyPath(key.key) << " twice";
        if (key.parent) {
            EXPECT_LT(static_cast<int>(*key.parent), static_cast<int>(key.key)) << key.name << " before its object";
        }
    }
    EXPECT_EQ(keyPath(Key::ButtonRepeat), "options.operator_buttons.repeat");
    EXPECT_EQ(recordKeyPath(3, Key::RecordText), "connections[3].text");
}

// A file that holds `value` at the key, and what the key's object needs
// beside it to be read that far.
std::string fileWith(Key key, const std::string& value)
{
    const SpecKey& k = specKey(key);
    std::string member = "\"" + std::string(k.name) + "\": " + value;
    if (k.parent == Key::Connections) {
        for (const Key required : {Key::RecordColumn, Key::RecordFunction})
            if (required != key)
                member = "\"" + keyName(required) + "\": " + (required == Key::RecordColumn ? "0" : "\"dcv\"") + ", " +
                    member;
        return "{\"connections\": [{" + member + "}]}";
    }
    for (std::optional<Key> parent = k.parent; parent; parent = specKey(*parent).parent)
        member = "\"" + keyName(*parent) + "\": {" + member + "}";
    return "{" + member + "}";
}

TEST(SpecFileKeys, TheReaderNamesEveryKeyByItsPath)
{
    for (const SpecKey& key : specKeys()) {
        // No key of any kind holds a list of numbers; only a list holds an object.
        const std::string wrong = key.kind == KeyKind::Records ? "{}" : "[1]";
        const SpecFileResult read = readSpecFile(fileWith(key.key, wrong), ".");
        ASSERT_FALSE(read.inputs) << fileWith(key.key, wrong);
        const std::string path = key.parent == Key::Connections ? recordKeyPath(0, key.key) : keyPath(key.key);
        EXPECT_TRUE(read.error.starts_with(path + ": ")) << read.error;
    }
}

TEST(SpecFileKeys, TheFuzzDictionaryHoldsEveryKey)
{
    const std::string dictionary =
        test::readFile(std::filesystem::path(KESTREL_SOURCE_DIR) / "fuzz" / "spec_file.dict");
    std::vector<std::string> keys;
    for (const SpecKey& key : specKeys())
        keys.emplace_back(key.name);
    keys.insert(keys.end(), kCellKeys.begin(), kCellKeys.end());
    for (const MeterFunction f : kAllFunctions)
        keys.emplace_back(functionInfo(f).code);
    for (const std::string& key : keys)
        EXPECT_NE(dictionary.find("=\"\\\"" + key + "\\\"\"\n"), std::string::npos) << key;
}

} // namespace
} // namespace kestrel
