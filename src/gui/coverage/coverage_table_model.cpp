#include "gui/coverage/coverage_table_model.h"

#include "core/i18n/text_lookup.h"
#include "core/i18n/text_numbers.h"
#include "core/spec/standards.h"
#include "gui/common/window_texts.h"
#include "gui/document/document.h"

#include <QColor>
#include <QFont>

#include <utility>

namespace kestrel::gui {
namespace {

constexpr int kHeadings[CoverageTableModel::ColumnCount] = {
    kTextCoverageStandard, kTextOutcomeAsSpecified, kTextOutcomeReduced, kTextOutcomeManual, kTextOutcomeLeftOut};

int countOf(const CoverageCounts& counts, int column)
{
    switch (column) {
    case CoverageTableModel::AsSpecifiedColumn:
        return counts.asSpecified;
    case CoverageTableModel::ReducedColumn:
        return counts.reduced;
    case CoverageTableModel::ManualColumn:
        return counts.manual;
    case CoverageTableModel::LeftOutColumn:
        return counts.leftOut;
    default:
        return 0;
    }
}

} // namespace

CoverageTableModel::CoverageTableModel(const Document& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document)
{
}

int CoverageTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(kReferences.size());
}

int CoverageTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

std::string CoverageTableModel::standardOf(int row) const
{
    return row >= 0 && static_cast<std::size_t>(row) < kReferences.size()
        ? std::string(kReferences[static_cast<std::size_t>(row)])
        : std::string();
}

int CoverageTableModel::chosenRow() const { return referenceIndex(document_.inputs().selections.reference); }

QVariant CoverageTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const bool chosen = index.row() == chosenRow();
    const Coverage* counted = row < coverages_.size() ? &coverages_[row] : nullptr;
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == StandardColumn)
            return qtText(standardOf(index.row()));
        return counted ? QVariant(countOf(counted->counts, index.column())) : QVariant();
    case Qt::AccessibleTextRole:
        // Heard as a screen reader names the row: the chosen one says so.
        if (index.column() == StandardColumn)
            return chosen ? qtText(textWith(document_.texts(), kTextCoverageChosen, {standardOf(index.row())}))
                          : data(index, Qt::DisplayRole).toString();
        // A count with its column's heading, as moving along a row reads it.
        if (!counted)
            return {};
        return qtText(textWith(document_.texts(), kTextCoverageCountHeard,
            {coreText(document_.labelText(kHeadings[index.column()]).trimmed()),
                std::to_string(countOf(counted->counts, index.column()))}));
    case Qt::ToolTipRole:
        if (counted && counted->generatorFailed)
            return qtText(textWith(document_.texts(), kTextCoverageFailed, {counted->standard}));
        return {};
    case Qt::FontRole:
        if (chosen) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::TextAlignmentRole:
        return int(
            index.column() == StandardColumn ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant CoverageTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    // The tooltip holds the whole heading when a long translation is cut short.
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return document_.labelText(kHeadings[section]).trimmed();
    return {};
}

void CoverageTableModel::setCoverages(std::vector<Coverage> coverages)
{
    coverages_ = std::move(coverages);
    emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

void CoverageTableModel::relabel()
{
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1), {Qt::AccessibleTextRole, Qt::ToolTipRole});
}

} // namespace kestrel::gui
