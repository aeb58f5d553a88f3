#pragma once
// frm_Colorized_Viewer: the procedure as Create made it, in a fixed-pitch
// font below the column legend, with keyword highlighting, search,
// reference help for the caret's line, the standard's accuracy file, copy
// to clipboard, Save As and Print.
//
// The text is read-only: the procedure is pasted into Tessel and edited
// there. The caret still moves, and Enter colours the caret's line.
#include "gui/help/viewer_context.h"

#include <QDialog>

#include <set>
#include <string>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPrinter;
class QToolButton;

namespace kestrel::gui {

class ProcedureViewer : public QDialog {
    Q_OBJECT
public:
    // procedureText: as Create returns it, braces around section titles
    // escaped. reference: the chosen calibration standard, whose first four
    // characters name its accuracy file. topmost: the main window's
    // "Always On-Top".
    ProcedureViewer(const ViewerContext& context, const std::string& procedureText, std::string reference, bool topmost,
        QWidget* parent = nullptr);

    QPlainTextEdit* textBox() const { return rtfMain_; }

    // ColorSelectedLine: colours one line; -1 is the caret's line.
    void colorSelectedLine(int line);
    // ColorVisibleLines: colours every visible line when highlighting is on.
    void colorVisibleLines();
    int firstVisibleLine() const;
    void setFirstVisibleLine(int line);
    int visibleLineCount() const;

    void search();
    void searchAgain();
    void referenceHelp();
    void accuracyFile();
    void copyToClipboard();
    void saveAs();
    void printWithPreview();

    // The procedure's text, lines ended by CR LF: what the box shows, what
    // Copy puts on the clipboard and Save As writes.
    QString plainText() const;
    // Writes plainText() as UTF-8, replacing the file atomically; on
    // failure returns false with the reason in error and leaves the file
    // as it was.
    bool saveTo(const QString& path, QString& error) const;
    void print(QPrinter* printer) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void setTexts();
    void colorizeClicked();

    ViewerContext context_;
    std::string reference_;
    QString procedure_; // the procedure as Tessel gets it, CR LF line ends
    bool firstActivation_ = true;
    // Lines that carry colour: unchecking turns these black, which leaves
    // the whole (read-only) text black without touching every line.
    std::set<int> colouredLines_;

    QCheckBox* chk_Colorize_ = nullptr;
    QToolButton* ProcToClip_ = nullptr;
    QToolButton* cmdSearch_ = nullptr;
    QToolButton* cmd_SearchAgain_ = nullptr;
    QToolButton* cmd_ReferenceHelp_ = nullptr;
    QToolButton* cmd_Acc_File_ = nullptr;
    QToolButton* cmd_Save_ = nullptr;
    QToolButton* cmd_Print_ = nullptr;
    QLabel* lbl_Legend_ = nullptr;
    QPlainTextEdit* rtfMain_ = nullptr;
};

} // namespace kestrel::gui
