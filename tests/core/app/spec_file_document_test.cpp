// docs/specification-files.md describes the file format for users: its
// example must read, and its tables list every key of the file with the
// default a first start holds, and no other.
#include "core/app/spec_file.h"

#include "core/app/spec_diff.h"
#include "core/app/spec_file_keys.h"

#include "core/spec/samples.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace kestrel {
namespace {

std::string document()
{
    return test::readFile(std::filesystem::path(KESTREL_SOURCE_DIR) / "docs" / "specification-files.md");
}

TEST(SpecFileDocument, ExampleReadsWithTheDefaultsForWhatItLeavesOut)
{
    const std::string doc = document();
    const std::size_t start = doc.find("```json\n");
    ASSERT_NE(start, std::string::npos);
    const std::size_t end = doc.find("```", start + 8);
    ASSERT_NE(end, std::string::npos);
    const SpecFileResult r = readSpecFile(doc.substr(start + 8, end - start - 8), ",");
    ASSERT_TRUE(r.inputs) << r.error;
    const ProcedureInputs& in = *r.inputs;
    EXPECT_EQ(in.identity.comments, "Yearly calibration\r\nafter repair");
    EXPECT_EQ(in.identity.revision, "1.0");
    EXPECT_EQ(in.options.toleranceStyle, ToleranceStyle::Units);
    EXPECT_EQ(in.selections.reference, "7600");
    EXPECT_EQ(in.meter.table(MeterFunction::Dcv).cell(RowRange, 0), "200.00m");
    EXPECT_EQ(in.meter.table(MeterFunction::Acv).cell(RowFrequency, 0), "1K");
    ASSERT_EQ(in.connections.size(), 1u);
    EXPECT_EQ(in.connections.records()[0].text, "Set the UUT to dc Volts\r\nand select the 200 mV range");
    EXPECT_EQ(in.scope, ScopeInputs{});
}

// The keys the document's tables list, by the object they sit in as its
// heading names it ("" for the top level, "options", "meter.functions",
// "Cells"), and the rows' cells.
struct DocumentedKeys {
    std::map<std::string, std::set<std::string>> keys;
    std::map<std::pair<std::string, std::string>, std::vector<std::string>> rows;
};

std::string between(const std::string& text, char mark)
{
    const std::size_t open = text.find(mark);
    const std::size_t close = open == std::string::npos ? open : text.find(mark, open + 1);
    return close == std::string::npos ? std::string() : text.substr(open + 1, close - open - 1);
}

DocumentedKeys documentedKeys(const std::string& doc)
{
    DocumentedKeys found;
    std::string section;
    std::istringstream lines(doc);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("#")) {
            const std::string heading = line.substr(line.find(' ') + 1);
            section = heading == "Top level"             ? ""
                : heading.find('`') != std::string::npos ? between(heading, '`')
                                                         : heading;
        } else if (line.starts_with("| `")) {
            std::vector<std::string> cells;
            std::istringstream row(line.substr(2));
            for (std::string cell; std::getline(row, cell, '|');)
                cells.push_back(cell);
            const std::string key = between(cells.front(), '`');
            found.keys[section].insert(key);
            found.rows[{section, key}] = cells;
        }
    }
    return found;
}

// The object a key sits in, as the document heads its table.
std::string parentPath(const specfile::SpecKey& key)
{
    return key.parent ? specfile::keyPath(*key.parent) : std::string();
}

TEST(SpecFileDocument, ListsExactlyTheKeysOfTheTable)
{
    const DocumentedKeys documented = documentedKeys(document());
    std::map<std::string, std::set<std::string>> expected;
    // The operator buttons' keys are named in the row of their object.
    std::vector<const specfile::SpecKey*> inRowOfParent;
    for (const specfile::SpecKey& key : specfile::specKeys()) {
        if (documented.keys.contains(parentPath(key)))
            expected[parentPath(key)].insert(std::string(key.name));
        else
            inRowOfParent.push_back(&key);
    }
    for (const MeterFunction f : kAllFunctions)
        expected[specfile::keyPath(specfile::Key::Functions)].insert(std::string(functionInfo(f).code));
    for (const std::string_view cell : specfile::kCellKeys)
        expected["Cells"].insert(std::string(cell));
    EXPECT_EQ(documented.keys, expected);

    ASSERT_FALSE(inRowOfParent.empty());
    for (const specfile::SpecKey* key : inRowOfParent) {
        const specfile::SpecKey& parent = specfile::specKey(*key->parent);
        const auto row = documented.rows.find({parentPath(parent), std::string(parent.name)});
        ASSERT_NE(row, documented.rows.end()) << parent.name;
        EXPECT_NE(row->second.at(1).find("`" + std::string(key->name) + "`"), std::string::npos)
            << key->name << " in the row of " << parent.name;
    }
}

// The row that documents a key: its own, or its object's row when the
// object's keys are named there (`operator_buttons`); with whether it is
// its own.
std::pair<const std::vector<std::string>*, bool> rowOf(const DocumentedKeys& documented, const specfile::SpecKey& key)
{
    if (const auto own = documented.rows.find({parentPath(key), std::string(key.name)}); own != documented.rows.end())
        return {&own->second, true};
    if (key.parent) {
        const specfile::SpecKey& parent = specfile::specKey(*key.parent);
        if (const auto row = documented.rows.find({parentPath(parent), std::string(parent.name)});
            row != documented.rows.end())
            return {&row->second, false};
    }
    return {nullptr, false};
}

// The words the Type column starts with for each kind of key.
std::string typeWords(specfile::KeyKind kind)
{
    switch (kind) {
    case specfile::KeyKind::Object:
    case specfile::KeyKind::Functions:
        return "object";
    case specfile::KeyKind::Records:
        return "list of records";
    case specfile::KeyKind::Text:
        return "text";
    case specfile::KeyKind::YesNo:
        return "yes/no";
    case specfile::KeyKind::WholeNumber:
        return "whole number";
    case specfile::KeyKind::Choice:
        return "choice";
    }
    return "?";
}

TEST(SpecFileDocument, StatesTheTypeOfEveryKey)
{
    const DocumentedKeys documented = documentedKeys(document());
    for (const specfile::SpecKey& key : specfile::specKeys()) {
        const auto [row, own] = rowOf(documented, key);
        ASSERT_TRUE(row) << specfile::keyPath(key.key);
        const std::string type = row->at(1).substr(row->at(1).find_first_not_of(' '));
        const std::string words = typeWords(key.kind);
        EXPECT_TRUE(own ? type.starts_with(words) : type.find(words) != std::string::npos)
            << specfile::keyPath(key.key) << ": the document says \"" << type << "\", the table " << words;
    }
}

// Each value's default as the document states it (in the key's row, or in
// its object's row) is the value a first start holds, as the file writes
// it: `"Enter Name"`, `true`, `4`.
TEST(SpecFileDocument, StatesTheDefaultOfEveryValue)
{
    const DocumentedKeys documented = documentedKeys(document());
    int checked = 0;
    for (const specfile::SpecKey& key : specfile::specKeys()) {
        const std::optional<SpecValue> value = specfile::defaultValue(key.key);
        if (!value)
            continue;
        const auto [row, own] = rowOf(documented, key);
        ASSERT_TRUE(row) << specfile::keyPath(key.key);
        ASSERT_GE(row->size(), 3u);
        const std::string& stated = row->at(2);
        EXPECT_NE(stated.find("`" + specValueLiteral(*value) + "`"), std::string::npos)
            << specfile::keyPath(key.key) << ": the document says \"" << stated << "\"; a first start holds "
            << specValueLiteral(*value);
        ++checked;
    }
    EXPECT_GT(checked, 30);
}

} // namespace
} // namespace kestrel
