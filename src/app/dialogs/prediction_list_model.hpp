#pragma once

#include <vector>

#include <QAbstractTableModel>

#include "observe/prediction_cells.hpp"
#include "ui/app_state.hpp"

namespace vantrek::app {

// The Predict window's list as a table over the form's rows (list position
// order, newest first) and the passes of the stored rows: the six row
// columns, then the six pass columns. No widget per row, so a search of a
// whole catalogue lists its rows at once. Qt::UserRole gives each cell's sort
// key: times, magnitudes, angles and durations as numbers, not as texts.
class PredictionListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    PredictionListModel(const std::vector<PredictionCells>& rows, const AppState& state, QObject* parent = nullptr);

    // The form's rows have changed: show them all again.
    void refill();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const std::vector<PredictionCells>& rows_;
    const AppState& state_;
};

}  // namespace vantrek::app
