#include "gui/localization/localization_printout.h"

#include "core/i18n/localization_print.h"
#include "gui/common/window_texts.h"
#include "gui/localization/localization_table_model.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <array>
#include <vector>

namespace kestrel::gui {
namespace {

struct Layout {
    int width = 0;
    int height = 0;
    int padding = 0;
    int headerBand = 0; // page header and the gap below it
    int footerBand = 0;
    int columnHeader = 0;
    std::array<int, 3> columns{}; // widths
};

struct Page {
    std::size_t first = 0; // rows [first, end)
    std::size_t end = 0;
};

std::array<QString, 3> cells(const EditRecord& record)
{
    return {QString::number(record.number), qtText(record.english), record.local ? qtText(*record.local) : QString()};
}

int rowHeight(const QFontMetrics& metrics, const Layout& layout, const EditRecord& record)
{
    int height = metrics.height();
    const auto texts = cells(record);
    for (int c = 1; c < 3; ++c) {
        const QRect box(0, 0, layout.columns[static_cast<std::size_t>(c)] - 2 * layout.padding, 100000);
        height =
            std::max(height, metrics.boundingRect(box, Qt::TextWordWrap, texts[static_cast<std::size_t>(c)]).height());
    }
    return height + 2 * layout.padding;
}

void paintRow(QPainter& painter, const Layout& layout, int top, int height, const std::array<QString, 3>& texts,
    bool columnHeader)
{
    int left = 0;
    for (std::size_t c = 0; c < 3; ++c) {
        const QRect cell(left, top, layout.columns[c], height);
        // The grid's colours; the column headers grey like the read-only columns.
        painter.fillRect(cell, LocalizationTableModel::columnBackground(columnHeader ? 0 : static_cast<int>(c)));
        painter.drawRect(cell);
        const QRect inner = cell.adjusted(layout.padding, layout.padding, -layout.padding, -layout.padding);
        const int align = (c == 0 && !columnHeader ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop | Qt::TextWordWrap;
        painter.drawText(inner, align, texts[c]);
        left += layout.columns[c];
    }
}

} // namespace

int printLocalizationTable(
    QPrinter& printer, const EditTable& table, const std::array<QString, 3>& columnTitles, const QString& stamp)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    QFont font = painter.font();
    font.setPointSizeF(9);
    painter.setFont(font);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics metrics(font, &printer);

    Layout layout;
    layout.width = printer.width();
    layout.height = printer.height();
    layout.padding = std::max(1, metrics.height() / 5);
    layout.headerBand = 2 * metrics.height();
    layout.footerBand = 2 * metrics.height();
    layout.columnHeader = metrics.height() + 2 * layout.padding;
    layout.columns[0] = std::max(metrics.horizontalAdvance(QStringLiteral("00000")),
                            QFontMetrics(bold, &printer).horizontalAdvance(columnTitles[0])) +
        2 * layout.padding;
    layout.columns[1] = (layout.width - layout.columns[0]) / 2;
    layout.columns[2] = layout.width - layout.columns[0] - layout.columns[1];

    // Pages first, so that every page knows how many there are.
    const int usable = layout.height - layout.headerBand - layout.footerBand - layout.columnHeader;
    std::vector<int> heights;
    std::vector<Page> pages;
    int filled = 0;
    for (std::size_t row = 0; row < table.size(); ++row) {
        heights.push_back(std::min(usable, rowHeight(metrics, layout, table.at(row))));
        if (pages.empty() || filled + heights.back() > usable) {
            pages.push_back({row, row});
            filled = 0;
        }
        filled += heights.back();
        pages.back().end = row + 1;
    }
    const int count = static_cast<int>(pages.size());
    const bool ranged = printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0;
    const int from = ranged ? printer.fromPage() : 1;
    const int to = ranged && printer.toPage() > 0 ? std::min(printer.toPage(), count) : count;

    painter.setPen(QPen(Qt::black, 0));
    for (int number = from; number <= to; ++number) {
        if (number > from)
            printer.newPage();
        const Page& page = pages[static_cast<std::size_t>(number - 1)];
        const PageHeader header = localizationPageHeader(stamp.toStdString(), number, count);
        const QRect top(0, 0, layout.width, metrics.height());
        painter.drawText(top, Qt::AlignLeft, qtText(header.left));
        painter.drawText(top, Qt::AlignHCenter, qtText(header.centre));
        painter.drawText(top, Qt::AlignRight, qtText(header.right));

        painter.setFont(bold);
        paintRow(painter, layout, layout.headerBand, layout.columnHeader, columnTitles, true);
        painter.setFont(font);
        int y = layout.headerBand + layout.columnHeader;
        for (std::size_t row = page.first; row < page.end; ++row) {
            paintRow(painter, layout, y, heights[row], cells(table.at(row)), false);
            y += heights[row];
        }
        painter.drawText(QRect(0, layout.height - metrics.height(), layout.width, metrics.height()), Qt::AlignLeft,
            qtText(localizationPageFooter(number, count)));
    }
    painter.end();
    return count;
}

} // namespace kestrel::gui
