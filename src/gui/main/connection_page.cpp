#include "gui/main/connection_page.h"

#include "core/i18n/text_numbers.h"
#include "gui/common/window_texts.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kestrel::gui {

ConnectionPage::ConnectionPage(Document& document, QWidget* parent) : QWidget(parent), document_(document)
{
    setObjectName(QStringLiteral("Picture1_1"));
    table_ = new QTableWidget(0, 4, this);
    table_->setObjectName(QStringLiteral("ConnectionList"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setWordWrap(true);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(table_);

    connect(&document_, &Document::changed, this, [this](Parts parts) {
        if (!(parts & Part::Connections))
            return;
        stale_ = true;
        if (isVisible())
            refresh();
    });
}

void ConnectionPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (stale_)
        refresh();
}

void ConnectionPage::refresh()
{
    stale_ = false;
    // The header names the function, the grid column (numbered as the grid
    // shows it), the picture file and the instruction text.
    table_->setHorizontalHeaderLabels({document_.text(kTextFunctionColumn), document_.text(kTextColumnColumn),
        document_.text(kTextPictureLabel), document_.text(kTextTextLabel)});
    const auto& records = document_.inputs().connections.records();
    table_->setRowCount(static_cast<int>(records.size()));
    for (int row = 0; row < static_cast<int>(records.size()); ++row) {
        const ConnectionRecord& r = records[static_cast<std::size_t>(row)];
        const std::string_view code = functionInfo(r.function).code;
        const QStringList cells{QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())),
            QString::number(r.column + 1), QString::fromStdString(r.pic.value_or(std::string())),
            qtLines(r.text.value_or(std::string()))};
        for (int c = 0; c < cells.size(); ++c)
            table_->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
}

} // namespace kestrel::gui
