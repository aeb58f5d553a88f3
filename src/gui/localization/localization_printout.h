#pragma once
// The localization table on paper: the three columns with their headers
// repeated on every page, each page headed by the moment of printing, its
// page number and the program's name, and footed by its page number. Only
// the pages of the printer's page range are printed.
#include "core/i18n/edit_table.h"

#include <QString>

#include <array>

class QPrinter;

namespace kestrel::gui {

// Paints the table's records in their current order under the column
// titles; returns the number of pages the whole table takes.
int printLocalizationTable(
    QPrinter& printer, const EditTable& table, const std::array<QString, 3>& columnTitles, const QString& stamp);

} // namespace kestrel::gui
