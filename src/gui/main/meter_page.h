#pragma once
// The DMM page (pic_UUT_Type item 1): Meter_TabStrip with the
// Specifications tab (DMM_SpecFrame), the Connection tab and the
// Options/Misc tab, which shows the options panel both pages share.
#include "gui/document/document.h"

#include <QWidget>

class QTabWidget;

namespace kestrel::gui {

class SpecFrame;

class MeterPage : public QWidget {
    Q_OBJECT

public:
    MeterPage(Document& document, QWidget* parent);

    QTabWidget* tabs() const { return tabs_; }
    SpecFrame* specFrame() const { return specFrame_; }
    QWidget* optionsHolder() const { return optionsHolder_; }

private:
    QTabWidget* tabs_;
    SpecFrame* specFrame_;
    QWidget* optionsHolder_;
};

} // namespace kestrel::gui
