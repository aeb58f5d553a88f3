#pragma once
// Connection_Wizard: attaches an operator instruction to one column of one
// meter function: a picture from Tessel's picture folder (a PIC step), a
// text of up to eight lines of 56 characters (a DISP step), or both. OK
// writes the column's record, or deletes it when no option is chosen;
// Cancel writes nothing.
//
// The caller shows it modally with the grid disabled, and afterwards
// clears its WizardCaption; the column header's picture follows the records.
#include "core/base/message_sink.h"
#include "core/i18n/text_lookup.h"
#include "core/spec/connection_store.h"
#include "core/spec/grid_rules.h"
#include "core/viewers/instruction_editor.h"
#include "core/viewers/wizard_choice.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace kestrel::gui {

class ConnectionWizard : public QDialog {
    Q_OBJECT
public:
    // function, column: CurrentFunction and CurrentColumn. caption: the
    // grid's WizardCaption ("PIC & DISP Wizard 2.000V range"); empty for
    // the plain title.
    ConnectionWizard(const TextLookup& texts, MessageSink& sink, const QString& picDir, ConnectionStore& records,
        MeterFunction function, int column, const QString& caption, QWidget* parent = nullptr);

    void clear();
    void ok();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void setTexts(const QString& caption);
    void load();
    void firstActivation();
    void optionClicked(WizardOption option);
    void pictureChosen();
    void showPicture(const QString& fileName);
    void clearPicture();
    void setEditorText(const QString& text);
    void editorChanged();
    void caretMoved();
    EditorContent editorContent() const;
    std::optional<WizardOption> checkedOption() const;

    const TextLookup& texts_;
    MessageSink& sink_;
    QString picDir_;
    ConnectionStore& records_;
    MeterFunction function_;
    int column_;
    std::vector<std::string> pictures_;
    WizardStart start_;
    int recordPicture_ = -1; // the list entry of the record's picture
    // From load to the first activation list clicks, option clicks and
    // editor changes are the window's own and are ignored.
    bool busy_ = true;
    bool restoring_ = false;
    InstructionEditorRule editorRule_;

    QRadioButton* recordKindButtons_[3] = {};
    QListWidget* pictureList_ = nullptr;
    QLabel* picturePreview_ = nullptr;
    QLabel* corruptedFileLabel_ = nullptr;
    QPlainTextEdit* instructionText_ = nullptr;
    QLabel* lineCounter_ = nullptr;
    QToolButton* clearButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace kestrel::gui
