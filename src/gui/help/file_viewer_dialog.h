#pragma once
// What the help and accuracy-file viewers share: the file list with its
// label, the search buttons and their search, read-only text panes, and
// the window's place kept under "HelpSettings".
//
// Search: the question "Enter search string" offers the pane's selected
// text; the answer, lower-cased, is looked for from the start of the pane.
// Search again looks from one character after the selection and, without a
// search text yet, asks for one. Failures say "The search failed"; Search
// again's button is enabled only after a hit; a cancelled question changes
// nothing. F3 and Ctrl+F work anywhere in the window.
#include "gui/help/viewer_context.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QToolButton;

namespace kestrel::gui {

class FileViewerDialog : public QDialog {
    Q_OBJECT
public:
    void search();
    void searchAgain();

protected:
    // files: the list's entries; labelText: the number of the list's label.
    FileViewerDialog(const ViewerContext& context, std::vector<std::string> files, int labelText, QWidget* parent);

    // The pane a search looks in.
    virtual QPlainTextEdit* searchPane() const = 0;
    // A pane of the viewer: read-only, fixed-pitch and not wrapped: Tessel's
    // files are shown as they are, with their examples and tables in columns.
    QPlainTextEdit* makeTextPane(const QString& objectName);
    // The search buttons over the list's label and the list.
    QWidget* listColumn();
    // A file has been opened: search is possible, search again not yet.
    void fileOpened();
    // The window's width that shows the file list and, beside it, a whole
    // line of a file in pane (the layout built).
    int fullLineWidth(const QPlainTextEdit* pane) const;

    void done(int result) override;

    ViewerContext context_;
    std::vector<std::string> files_;
    QListWidget* fileList_ = nullptr;
    QLabel* listCaption_ = nullptr;
    QToolButton* searchButton_ = nullptr;
    QToolButton* searchAgainButton_ = nullptr;

private:
    void find(QPlainTextEdit* pane, int from);

    QString searchText_;
};

} // namespace kestrel::gui
