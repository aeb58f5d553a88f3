#include "gui/main/meter_page.h"

#include "gui/common/even_tab_bar.h"
#include "gui/grid/spec_frame.h"
#include "gui/main/connection_page.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace kestrel::gui {

MeterPage::MeterPage(Document& document, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pic_UUT_Type_1"));
    tabs_ = new EvenTabWidget(this);
    tabs_->setObjectName(QStringLiteral("Meter_TabStrip"));
    specFrame_ = new SpecFrame(document, tabs_);
    optionsHolder_ = new QWidget(tabs_);
    optionsHolder_->setObjectName(QStringLiteral("MeterOptionsHolder"));
    auto* holderLayout = new QVBoxLayout(optionsHolder_);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    // Tab captions come from the text table.
    tabs_->addTab(specFrame_, QString());
    tabs_->addTab(new ConnectionPage(document, tabs_), QString());
    tabs_->addTab(optionsHolder_, QString());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(tabs_);
}

} // namespace kestrel::gui
