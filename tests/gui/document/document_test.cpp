// Every command that changes the specification is one undo step and marks
// the file changed: without the step, undo skips the change and quitting
// does not ask to save it. Each command runs on a freshly opened file.
#include "support/window_fixture.h"

#include "core/spec/spec_table.h"

#include <functional>
#include <string>
#include <vector>

namespace kestrel::test {
namespace {

using F = MeterFunction;

// The last column with a UUT range: the column after it is free.
int lastRangeColumn(const gui::Document& d)
{
    int last = 0;
    for (int c = 0; c < SpecTable::columns(); ++c)
        if (!d.currentTable().cell(RowRange, c).empty())
            last = c;
    return last;
}

struct DocumentCommand {
    const char* name;
    std::function<bool(gui::Document&)> run;
    int questions = 0; // questions it asks, answered OK
};

std::vector<DocumentCommand> documentCommands()
{
    return {
        {"type a cell",
            [](gui::Document& d) {
                d.setCell(RowRange, 5, "42");
                return true;
            }},
        {"change cells",
            [](gui::Document& d) {
                d.setCells("Paste", {{RowRange, 6, "", "7"}, {RowRangePct, 6, "", "3"}});
                return true;
            }},
        {"paste a block", [](gui::Document& d) { return d.paste(RowRange, 6, "10\t20"); }},
        {"insert a column", [](gui::Document& d) { return d.insertColumn(0); }},
        {"delete a column", [](gui::Document& d) { return d.deleteColumn(0); }, 1},
        {"copy a column", [](gui::Document& d) { return d.copyColumn(0); }},
        {"duplicate a range", [](gui::Document& d) { return d.duplicateRange(lastRangeColumn(d)); }},
        {"clear the function", [](gui::Document& d) { return d.clearSpecification(ClearScope::CurrentMode); }, 1},
        {"clear everything", [](gui::Document& d) { return d.clearSpecification(ClearScope::All); }, 1},
        {"load a sample",
            [](gui::Document& d) {
                d.loadSample(2);
                return true;
            }},
        {"write an instruction",
            [](gui::Document& d) {
                ConnectionStore records = d.inputs().connections;
                records.put({F::Dcv, 0, std::nullopt, "Connect the leads"});
                d.setConnections(records);
                return true;
            }},
        {"choose a standard", [](gui::Document& d) { return d.chooseStandard("3300"); }},
    };
}

class DocumentTest : public WindowTest { };

TEST_F(DocumentTest, EveryCommandIsOneUndoStepAndMarksTheFileChanged)
{
    start();
    const QString sample =
        QString::fromStdString(std::string(KESTREL_SOURCE_DIR) + "/data/samples/orvik62-7300.kestrel.json");
    for (const DocumentCommand& command : documentCommands()) {
        SCOPED_TRACE(command.name);
        ASSERT_TRUE(document->open(sample));
        document->setCurrentFunction(F::Dcv);
        ASSERT_FALSE(document->isModified());
        const ProcedureInputs before = inputs();
        const int steps = document->undoStack().count();

        if (command.questions > 0)
            answerer.answerMessageBoxes(QMessageBox::Ok, command.questions);
        ASSERT_TRUE(command.run(*document));
        settle();
        const ProcedureInputs after = inputs();
        EXPECT_FALSE(after == before) << "the command changed nothing";
        EXPECT_TRUE(document->isModified());
        EXPECT_EQ(document->undoStack().count(), steps + 1);

        document->undoStack().undo();
        EXPECT_TRUE(inputs() == before) << "undo did not restore the file";
        EXPECT_FALSE(document->isModified());
        document->undoStack().redo();
        EXPECT_TRUE(inputs() == after) << "redo did not repeat the command";
        EXPECT_TRUE(document->isModified());
        EXPECT_EQ(answerer.pending(), 0);
    }
}

} // namespace
} // namespace kestrel::test
