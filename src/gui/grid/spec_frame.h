#pragma once
// DMM_SpecFrame: the Specifications tab of the DMM page. The function tab
// strip, MeterSpecGrid (whose row headers name its rows) and the
// thermocouple/RTD lists with their label,
// the grid commands, the calibration standard and the sample buttons.
#include "gui/document/document.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTabBar;
class QToolButton;

namespace kestrel::gui {

class SpecGridView;

class SpecFrame : public QWidget {
    Q_OBJECT

public:
    SpecFrame(Document& document, QWidget* parent);

    SpecGridView* grid() const { return grid_; }
    // The grid gets the focus when it can take it.
    void focusGrid();
    // Sizes the grid's row headers and places the sensor lists with their
    // label below the rows (the first activation, and after every change of
    // the grid's geometry).
    void placeRowLabels();
    // The row names and the sensor lists' label after a text walk or a
    // change of the function on show.
    void relabelRows();

signals:
    // The wizard was asked for (a column header's button, Alt+Enter):
    // CurrentColumn and WizardCaption are recorded in the document.
    void headerButtonClicked(int column);
    // A sample button was clicked (index into samples()).
    void sampleRequested(int index);
    void edited();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildGridArea();
    QWidget* buildCommands();
    QWidget* buildStandardAndSamples();
    void documentChanged(Parts parts);
    // The function tab change: row 6's label, the extra label and lists of
    // acv/aci/TC/RTD.
    void showFunction();
    void refreshSelections();
    void refreshSampleButtons();
    int currentColumn() const;
    void afterColumnCommand(bool changed, int row, int column);
    void clear(ClearScope scope);

    Document& document_;
    QTabBar* functionTabs_;
    QWidget* gridArea_;
    SpecGridView* grid_;
    QLabel* sensorLabel_; // "TC Type" or "RTD Type", beside the lists below the rows
    int labelWidth_ = 0;  // the widest row name of any function
    QComboBox* tcTypes_;
    QComboBox* rtdTypes_;
    QComboBox* tempScale_;
    QComboBox* reference_;
    std::vector<QPushButton*> sampleButtons_; // by index into samples()
};

} // namespace kestrel::gui
