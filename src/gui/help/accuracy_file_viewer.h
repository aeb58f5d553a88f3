#pragma once
// frmAccFile_Viewer: the calibrators' accuracy files in Tessel's accuracy
// folder. It opens on the file named by Viewer_File and then empties it.
#include "gui/help/file_viewer_dialog.h"

class QSplitter;

namespace kestrel::gui {

class AccuracyFileViewer : public FileViewerDialog {
    Q_OBJECT
public:
    explicit AccuracyFileViewer(const ViewerContext& context, QWidget* parent = nullptr);

    void openSelected();

protected:
    QPlainTextEdit* searchPane() const override { return textPane_; }
    bool event(QEvent* event) override;

private:
    QPlainTextEdit* textPane_ = nullptr;
    QSplitter* splitter_ = nullptr;
};

} // namespace kestrel::gui
