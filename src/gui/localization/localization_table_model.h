#pragma once
// The localization editor's grid model over Edit_RS: three columns (text
// number, English text, local text), only the local text editable, the
// first two on a grey background and the local one on white.
#include "core/i18n/edit_table.h"
#include "core/i18n/text_lookup.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

#include <array>

namespace kestrel::gui {

class LocalizationTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NumberColumn = 0, EnglishColumn = 1, LocalColumn = 2 };

    // The column titles as `texts` answer them (texts 2500 to 2502).
    LocalizationTableModel(EditTable table, const TextLookup& texts, QObject* parent = nullptr);

    // The columns' headers and backgrounds, on screen and on paper.
    const std::array<QString, 3>& columnTitles() const { return titles_; }
    static QColor columnBackground(int column);

    const EditTable& table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // A header click: the table's sort rule, rows moved in place.
    void sortByHeader(int column);
    // An import's local texts; whether anything changed.
    bool setLocals(const std::map<int, std::optional<std::string>>& locals);

signals:
    // A local text was typed; changesSave: it changes what a save writes
    // (the dirty rule).
    void localEdited(bool changesSave);

private:
    EditTable table_;
    std::array<QString, 3> titles_;
};

} // namespace kestrel::gui
