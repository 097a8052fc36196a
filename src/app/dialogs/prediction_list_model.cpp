#include "app/dialogs/prediction_list_model.hpp"

namespace vantrek::app {

namespace {

const char* const kColumnTitles[] = {"Sat", "Time", "Status", "Magnitude", "Flare angle", "Nr in file"};
constexpr int kColumns = 6;

QString cellText(const PredictionCells& cells, int column) {
    switch (column) {
        // Names are stored blank-padded to 24 columns; shown without the padding.
        case 0: return QString::fromStdString(cells.satellite).trimmed();
        case 1: return QString::fromStdString(cells.time);
        case 2: return QString::fromStdString(cells.status);
        case 3: return QString::fromStdString(cells.magnitude);
        case 4: return QString::fromUtf8(cells.flareAngle.c_str());
        default: return QString::fromStdString(cells.index);
    }
}

}  // namespace

PredictionListModel::PredictionListModel(const std::vector<PredictionCells>& rows,
                                         const PredictionResults& results, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), results_(results) {}

void PredictionListModel::refill() {
    beginResetModel();
    endResetModel();
}

int PredictionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PredictionListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant PredictionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const PredictionCells& cells = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) return cellText(cells, index.column());
    if (role != Qt::UserRole) return {};
    const int stored = PredictionRowAtListPosition(results_, index.row());
    if (stored < 0) return cellText(cells, index.column());
    const PredictionRow& row = results_.rows[static_cast<std::size_t>(stored)];
    switch (index.column()) {
        case 1: return row.time;
        case 2: return row.code;
        // Rows without a magnitude or angle sort after those with one.
        case 3: return cells.magnitude == "N/A" ? 1e9 : row.magnitude;
        case 4: return cells.flareAngle == "N/A" ? 1e9 : row.flareAngle;
        case 5: return row.satelliteIndex;
        default: return cellText(cells, index.column()).toLower();
    }
}

QVariant PredictionListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns) return {};
    return QString(kColumnTitles[section]);
}

}  // namespace vantrek::app
