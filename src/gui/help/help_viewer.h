#pragma once
// frmDual_Help: Tessel's help files. The list holds the "*.hlp" files of
// the help folder; the chosen file shows in the upper pane and, when Tessel
// has one, the help of its manual twin ("m" + name) in the lower pane.
// "confedit.hlp" is handed to the desktop instead.
#include "gui/help/file_viewer_dialog.h"

class QSplitter;

namespace kestrel::gui {

class HelpViewer : public FileViewerDialog {
    Q_OBJECT
public:
    explicit HelpViewer(const ViewerContext& context, QWidget* parent = nullptr);

    // Opens the list's selected entry.
    void openSelected();

protected:
    QPlainTextEdit* searchPane() const override { return activePane_; }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void showTwin(const std::string& fileName);
    void hideTwin();
    void keepSplitterInBounds();

    bool firstActivation_ = true;
    QPlainTextEdit* activePane_ = nullptr; // whichever pane last had the focus

    QPlainTextEdit* upperPane_ = nullptr;
    QPlainTextEdit* lowerPane_ = nullptr;
    QLabel* upperTitle_ = nullptr;
    QLabel* lowerTitle_ = nullptr;
    QWidget* upper_ = nullptr;
    QWidget* lower_ = nullptr;
    QSplitter* splitter_ = nullptr;
};

} // namespace kestrel::gui
