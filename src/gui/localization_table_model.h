#pragma once
// The localization editor's grid model over Edit_RS: three columns (text
// number, English text, local text), only the local text editable, the
// first two on a grey background and the local one on white.
#include "core/i18n/edit_table.h"

#include <QAbstractTableModel>
#include <QColor>

namespace kestrel::gui {

class LocalizationTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NumberColumn = 0, EnglishColumn = 1, LocalColumn = 2 };

    explicit LocalizationTableModel(EditTable table, QObject* parent = nullptr);

    // The column's header and background, on screen and on paper.
    static QString columnTitle(int column);
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
    // A local text was typed (its new text, for the dirty rule).
    void localEdited(const QString& text);

private:
    EditTable table_;
};

} // namespace kestrel::gui
