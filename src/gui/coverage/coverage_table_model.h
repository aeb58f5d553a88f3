#pragma once
// The calibrator coverage table's model: one row per meter standard, in
// the order of the standards list, with how many of the grid's test points
// its procedure tests as specified, reduces, leaves to the operator and
// leaves out. The counts are the core's coverage; the model only shows
// them, and marks the row of the chosen standard.
#include "core/app/coverage.h"

#include <QAbstractTableModel>

#include <vector>

namespace kestrel::gui {

class Document;

class CoverageTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { StandardColumn, AsSpecifiedColumn, ReducedColumn, ManualColumn, LeftOutColumn, ColumnCount };

    explicit CoverageTableModel(const Document& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Shows the coverage by every standard, in the order of the list.
    void setCoverages(std::vector<Coverage> coverages);
    // The headings and the chosen row's words after a walk of the texts.
    void relabel();
    // The row of the chosen standard, -1 when the inputs name none.
    int chosenRow() const;
    // The standard of a row.
    std::string standardOf(int row) const;
    const std::vector<Coverage>& coverages() const { return coverages_; }

private:
    const Document& document_;
    std::vector<Coverage> coverages_;
};

} // namespace kestrel::gui
