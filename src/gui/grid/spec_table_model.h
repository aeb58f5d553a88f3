#pragma once
// MeterSpecGrid's model: a view of the table of the function on show,
// straight from the document. Switching the function rebinds the model;
// nothing is copied. The row headers name the rows; a column header's
// accessible description tells its instruction record.
#include "gui/document/document.h"

#include "core/procgen/line_sources.h"

#include <QAbstractTableModel>
#include <QColor>

namespace kestrel::gui {

class SpecTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The column header's picture (HeaderPicture as int).
    static constexpr int HeaderPictureRole = Qt::UserRole + 1;
    // What the chosen standard does with the cell's test point (PointOutcome
    // as int), on every filled cell of a column whose point is reduced,
    // made manual or left out; none otherwise.
    static constexpr int PointOutcomeRole = Qt::UserRole + 2;
    // Even columns are light yellow, odd ones white.
    static QColor columnColour(int column);
    // The corner mark of each outcome but AsSpecified: colours told apart
    // by colour-blind eyes too, none of them the overflow marking's.
    static QColor outcomeColour(PointOutcome outcome);

    explicit SpecTableModel(Document& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Stores an edit as one undo step; the text has passed the commit check.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // The row names follow a new text walk.
    void relabelRows();

private:
    void documentChanged(Parts parts);
    void marksChanged();
    // The chosen standard's note on the cell's point: "" for an empty cell.
    QString pointNote(const QModelIndex& index) const;

    Document& document_;
};

} // namespace kestrel::gui
