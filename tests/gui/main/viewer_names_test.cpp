// Every control of the secondary windows carries its name, for UI
// automation, and an accessible name from its caption or tooltip.
#include "gui/help/accuracy_file_viewer.h"
#include "gui/help/help_viewer.h"
#include "gui/viewer/procedure_viewer.h"
#include "gui/wizard/connection_wizard.h"

#include "gui/common/control_texts.h"
#include "support/heard_name.h"
#include "support/viewer_fixture.h"

#include <QLabel>

namespace kestrel {
namespace {

class ViewerNames : public test::ViewerFixture {
protected:
    static QString heard(QWidget& window, const char* name)
    {
        return test::heardName(window.findChild<QWidget*>(QString::fromLatin1(name)));
    }
    // Every control is heard by a name; a label by the text it shows, if any.
    static void expectNamed(QWidget& window, std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            auto* control = window.findChild<QWidget*>(QString::fromLatin1(name));
            ASSERT_NE(control, nullptr) << name;
            auto* label = qobject_cast<QLabel*>(control);
            if (label && !label->text().isEmpty()) {
                EXPECT_EQ(heard(window, name), gui::withoutAccessKey(label->text())) << name;
            } else if (!label) {
                EXPECT_FALSE(heard(window, name).isEmpty()) << name;
            }
        }
    }
};

TEST_F(ViewerNames, EveryControlIsNamed)
{
    gui::ProcedureViewer viewer(context(), "  1.001  HEAD\r\n", "7300", false);
    EXPECT_EQ(viewer.objectName(), "frm_Colorized_Viewer");
    expectNamed(viewer,
        {"rtfMain", "chk_Colorize", "ProcToClip", "cmdSearch", "cmd_SearchAgain", "cmd_ReferenceHelp", "cmd_Acc_File",
            "lbl_Legend", "cmd_Save", "cmd_Print"});
    EXPECT_EQ(child<QWidget>(viewer, "ProcToClip")->accessibleName(), "Copy to Clipboard");

    ConnectionStore records;
    gui::ConnectionWizard wizard(texts, sink, test::demoTessel("pics"), records, MeterFunction::Dcv, 0, QString());
    EXPECT_EQ(wizard.objectName(), "Connection_Wizard");
    expectNamed(wizard,
        {"opt_Which_0", "opt_Which_1", "opt_Which_2", "File1", "Image1", "lbl_corrupted_File", "ConnectionText",
            "lbl_LineCounter", "cmd_Clear", "cmd_OK", "cmd_Cancel"});
    EXPECT_EQ(child<QWidget>(wizard, "cmd_OK")->accessibleName(), "OK");
    EXPECT_EQ(heard(wizard, "Image1"), "Picture");

    gui::HelpViewer help(context());
    EXPECT_EQ(help.objectName(), "frmDual_Help");
    expectNamed(help,
        {"File1", "Label1", "Text1", "Text2", "FSC_HelpFilename", "AUX_FSC_HelpFilename", "imgSplitter", "picSplitter",
            "cmdSearch", "cmd_SearchAgain"});
    // A pane that shows no file yet is heard by the list's caption, not by
    // its object name.
    EXPECT_EQ(heard(help, "Text1"), "Help File");
    EXPECT_EQ(heard(help, "Text2"), "Help File");
    gui::AccuracyFileViewer accuracy(context());
    EXPECT_EQ(accuracy.objectName(), "frmAccFile_Viewer");
    expectNamed(accuracy, {"File1", "Label1", "Text1", "imgSplitter", "picSplitter", "cmdSearch", "cmd_SearchAgain"});
}

} // namespace
} // namespace kestrel
