#include "gui/localization/localization_table_model.h"

#include "core/i18n/text_numbers.h"
#include "gui/common/window_texts.h"

#include <QBrush>

namespace kestrel::gui {
namespace {

// The number and English columns are for reading: grey E0E0E0; the local
// column is the one to type in: white.
const QColor kReadOnlyBackground(0xE0, 0xE0, 0xE0);
const QColor kEditableBackground(0xFF, 0xFF, 0xFF);

} // namespace

LocalizationTableModel::LocalizationTableModel(EditTable table, const TextLookup& texts, QObject* parent)
    : QAbstractTableModel(parent),
      table_(std::move(table)), titles_{textOf(texts, kTextColumnNumber), textOf(texts, kTextColumnEnglish),
                                    textOf(texts, kTextColumnLocal)}
{
}

int LocalizationTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(table_.size());
}

int LocalizationTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant LocalizationTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const EditRecord& record = table_.at(static_cast<std::size_t>(index.row()));
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (index.column()) {
        case NumberColumn:
            return record.number;
        case EnglishColumn:
            return qtText(record.english);
        case LocalColumn:
            return record.local ? qtText(*record.local) : QString();
        }
        break;
    case Qt::BackgroundRole:
        return QBrush(columnBackground(index.column()));
    case Qt::ForegroundRole:
        return QBrush(Qt::black); // on these fixed backgrounds, whatever the theme
    case Qt::TextAlignmentRole:
        if (index.column() == NumberColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        break;
    }
    return {};
}

QVariant LocalizationTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= static_cast<int>(titles_.size()))
        return {};
    return titles_[static_cast<std::size_t>(section)];
}

QColor LocalizationTableModel::columnBackground(int column)
{
    return column == LocalColumn ? kEditableBackground : kReadOnlyBackground;
}

Qt::ItemFlags LocalizationTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == LocalColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool LocalizationTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != LocalColumn)
        return false;
    const QString text = value.toString();
    std::optional<std::string> local;
    if (!text.isEmpty())
        local = text.toStdString();
    const auto row = static_cast<std::size_t>(index.row());
    if (table_.at(row).local == local)
        return false;
    const bool changesSave = table_.setLocal(row, std::move(local));
    emit dataChanged(index, index);
    emit localEdited(changesSave);
    return true;
}

void LocalizationTableModel::sortByHeader(int column)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The current cell stays on its record.
    const QModelIndexList before = persistentIndexList();
    std::vector<int> numbers;
    for (const QModelIndex& index : before)
        numbers.push_back(table_.at(static_cast<std::size_t>(index.row())).number);
    table_.sortByHeader(static_cast<EditColumn>(column));
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i)
        after << this->index(static_cast<int>(*table_.rowOf(numbers[static_cast<std::size_t>(i)])), before[i].column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

bool LocalizationTableModel::setLocals(const std::map<int, std::optional<std::string>>& locals)
{
    if (!table_.setLocals(locals))
        return false;
    emit dataChanged(index(0, LocalColumn), index(rowCount() - 1, LocalColumn));
    return true;
}

} // namespace kestrel::gui
