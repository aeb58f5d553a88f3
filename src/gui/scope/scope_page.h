#pragma once
// The Scopes page (pic_UUT_Type item 2): the oscilloscope under test and
// its calibrator. Scope_TabStrip_2's first tab shows Scope_SpecFrame_2, the
// second the options panel the DMM page shares.
#include "core/scope/scope_inputs.h"
#include "gui/document/document.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QTabWidget;

namespace kestrel::gui {

class ConnectorPicture;

class ScopePage : public QWidget {
    Q_OBJECT

public:
    ScopePage(Document& document, QWidget* parent);

    QTabWidget* tabs() const { return tabs_; }
    // The page holding the shared options panel when its tab is on show.
    QWidget* optionsHolder() const { return optionsHolder_; }
    void focusFirstField();

private:
    // The names of a frame with a range of settings ("2 mv/div" to "5 v/div")
    // and an accuracy field ("± 2.0 %").
    struct RangeFrameNames {
        const char* frame;
        const char* to;
        const char* plusMinus;
        const char* accuracy;
        const char* percent;
    };

    QWidget* buildSpecFrame();
    QGroupBox* rangeFrame(
        const RangeFrameNames& names, QComboBox* from, QComboBox* to, ScopeField accuracy, QWidget* parent);
    QLineEdit* field(const char* name, ScopeField field, QWidget* parent, int maximumWidth = 80);
    void documentChanged(Parts parts);
    void refresh();
    // Marks the fields whose text would not fit its field in the procedure.
    void markOverflows();

    Document& document_;
    QTabWidget* tabs_;
    QWidget* optionsHolder_;
    QComboBox* reference_;
    QComboBox* numChannels_;
    QComboBox* vertGain1_;
    QComboBox* vertGain2_;
    QComboBox* sweep1_;
    QComboBox* sweep2_;
    QComboBox* bandwidth_;
    QCheckBox* risetimeCheck_;
    QCheckBox* impedanceCheck_;
    std::vector<std::pair<ScopeField, QLineEdit*>> fields_;
    ConnectorPicture* connectors_;
};

} // namespace kestrel::gui
