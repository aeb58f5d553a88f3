#include "gui/grid/spec_table_model.h"

#include "gui/common/field_behaviour.h"

#include "core/base/text_util.h"
#include "core/spec/grid_rules.h"
#include "core/spec/numbers.h"

#include <QStringList>

namespace kestrel::gui {

QColor SpecTableModel::columnColour(int column) { return column % 2 == 0 ? QColor(255, 255, 192) : QColor(Qt::white); }

QColor SpecTableModel::outcomeColour(PointOutcome outcome)
{
    switch (outcome) {
    case PointOutcome::Reduced:
        return QColor(230, 159, 0); // orange
    case PointOutcome::Manual:
        return QColor(0, 114, 178); // blue
    case PointOutcome::LeftOut:
        return QColor(96, 96, 96); // grey
    case PointOutcome::AsSpecified:
        break;
    }
    return {};
}

SpecTableModel::SpecTableModel(Document& document, QObject* parent) : QAbstractTableModel(parent), document_(document)
{
    connect(&document_, &Document::changed, this, &SpecTableModel::documentChanged);
    // The marks are worked out after the change, on a thread of their own.
    connect(&document_, &Document::marksChanged, this, &SpecTableModel::marksChanged);
}

int SpecTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : document_.currentTable().rows();
}

int SpecTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant SpecTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        // Held with "."; shown and edited with the locale's separator.
        return QString::fromStdString(
            shownCell(document_.currentTable().cell(index.row(), index.column()), document_.decimalSeparator()));
    case Qt::BackgroundRole:
        if (!document_.cellOverflows(document_.currentFunction(), index.row(), index.column()).isEmpty())
            return overflowColour();
        return columnColour(index.column());
    case Qt::ToolTipRole: {
        QStringList lines;
        for (const QString& said :
            {document_.cellOverflows(document_.currentFunction(), index.row(), index.column()), pointNote(index)})
            if (!said.isEmpty())
                lines << said;
        return lines.isEmpty() ? QVariant() : QVariant(lines.join(u'\n'));
    }
    case Qt::AccessibleDescriptionRole: {
        const QString note = pointNote(index);
        return note.isEmpty() ? QVariant() : QVariant(note);
    }
    case PointOutcomeRole: {
        if (isBlank(document_.currentTable().cell(index.row(), index.column())))
            return {};
        const TestPoint* point = document_.chosenCoverage().pointAt(document_.currentFunction(), index.column());
        return point && point->outcome != PointOutcome::AsSpecified ? QVariant(static_cast<int>(point->outcome))
                                                                    : QVariant();
    }
    case Qt::ForegroundRole:
        return QColor(Qt::black);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

QString SpecTableModel::pointNote(const QModelIndex& index) const
{
    if (isBlank(document_.currentTable().cell(index.row(), index.column())))
        return {};
    return document_.cellCoverage(document_.currentFunction(), index.column());
}

QVariant SpecTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return QString::number(section + 1); // "1" to "26", whatever the commands do
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case HeaderPictureRole:
        return static_cast<int>(headerPicture(document_.inputs().connections, document_.currentFunction(), section));
    default:
        return {};
    }
}

Qt::ItemFlags SpecTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool SpecTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    document_.setCell(
        index.row(), index.column(), heldCell(value.toString().toStdString(), document_.decimalSeparator()));
    return true;
}

void SpecTableModel::documentChanged(Parts parts)
{
    if (parts & Part::Function) {
        // Another table (and perhaps another number of rows): rebind.
        beginResetModel();
        endResetModel();
        return;
    }
    if (parts & Part::Cells)
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1), {Qt::DisplayRole, Qt::EditRole});
    if (parts & Part::Connections)
        emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void SpecTableModel::marksChanged()
{
    // Whether a cell's text fits its field in the procedure depends on more
    // than the cell (the standard reduces test points, the page and options
    // choose the generator). So does what the standard does with a point.
    emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1),
        {Qt::BackgroundRole, Qt::ToolTipRole, Qt::AccessibleDescriptionRole, PointOutcomeRole});
}

} // namespace kestrel::gui
