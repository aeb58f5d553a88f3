#pragma once
// frm_Localization: the translator's window. A grid of every text number
// with its English text and the local text to type beside it; cmdSave
// writes the local texts as the localization file of the user's language,
// PrintPreview prints the table, cmdSearch finds a text. Beyond that, the
// table goes to and comes back from a spreadsheet (a tab-separated file).
//
// The window is modal and stays on top. Its table (Edit_RS) is built from
// the built-in texts and the file each time it opens, so edits that were
// not saved never survive a close.
#include "core/i18n/localization_save.h"
#include "gui/common/message_box_sink.h"
#include "gui/document/document.h"

#include <QDialog>

class QLabel;
class QPrinter;
class QTableView;
class QToolButton;

namespace kestrel::gui {

class LocalizationTableModel;

class LocalizationEditor : public QDialog {
    Q_OBJECT

public:
    LocalizationEditor(Document& document, QWidget* parent);
    ~LocalizationEditor() override;

    QTableView* grid() const { return grid_; }
    const LocalizationTableModel& model() const { return *model_; }

    // Save_Changes (cmdSave, and Yes to the close question). With no local
    // text left it offers to delete the localization file.
    SaveOutcome saveChanges();
    // The table to and from a spreadsheet file; a failure or a bad line is
    // reported and changes nothing.
    bool exportTo(const QString& path);
    bool importFrom(const QString& path);
    // The next row holding `needle` (cmdSearch); "The Search Failed" when none.
    bool findNext(const QString& needle);
    // The pages of the print-out on `printer` (what the preview shows);
    // the number of pages the whole table takes.
    int paintPages(QPrinter& printer) const;

signals:
    // The localization file was written and Local_RS rebuilt.
    void saved();
    // No local text was left: the file was deleted, Local_RS is English.
    void removed();

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildButtonStrip();
    void localEdited(bool changesSave);
    // Shows a text in the strip's status line; 0 empties it.
    void say(int textNumber);
    void setDirty(bool dirty);
    QString fileFilter() const;
    void commitPendingEdit();
    void printPreview();
    void askExport();
    void askImport();
    void askSearch();

    Document& document_;
    MessageBoxSink sink_; // questions over this window, which stays on top
    LocalizationTableModel* model_;
    QTableView* grid_;
    QToolButton* save_;
    QLabel* status_;
    bool dirty_ = false;
    QString lastSearch_;
};

} // namespace kestrel::gui
