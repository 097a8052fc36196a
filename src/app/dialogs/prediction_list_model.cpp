#include "app/dialogs/prediction_list_model.hpp"

#include <cmath>

#include "ui/dialogs/predict_columns.hpp"

namespace vantrek::app {

namespace {

const char* const kRowColumnTitles[kRowColumnCount] = {"Sat", "Time", "Status", "Magnitude", "Flare angle",
                                                       "Nr in file"};

QString rowCellText(const PredictionCells& cells, int column) {
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

QString passCellText(const PassDetailCells& pass, int column) {
    const std::string* cells[kPassColumnCount] = {&pass.aos,      &pass.maxElevation, &pass.los,
                                                  &pass.duration, &pass.aosAzimuth,   &pass.losAzimuth};
    return QString::fromUtf8(cells[column - kRowColumnCount]->c_str());
}

}  // namespace

PredictionListModel::PredictionListModel(const std::vector<PredictionCells>& rows, const AppState& state,
                                         QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), state_(state) {}

void PredictionListModel::refill() {
    beginResetModel();
    endResetModel();
}

int PredictionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PredictionListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kRowColumnCount + kPassColumnCount;
}

QVariant PredictionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const int position = index.row();
    const int column = index.column();
    const PredictionCells& cells = rows_[static_cast<std::size_t>(position)];
    auto text = [&] {
        return column < kRowColumnCount ? rowCellText(cells, column)
                                        : passCellText(PredictListPassCells(state_, position), column);
    };
    switch (role) {
        case Qt::DisplayRole: return text();
        case Qt::ToolTipRole:
            if (column == kRowColumnCount && text().startsWith('<')) return QString(kUpAtStartTip);
            return {};
        case Qt::UserRole: {
            // The core's key; the satellite column has none and sorts by its text.
            const double key = PredictListSortKey(state_, position, column);
            if (std::isnan(key)) return text().toLower();
            return key;
        }
        default: return {};
    }
}

QVariant PredictionListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0) return {};
    if (section < kRowColumnCount) return QString(kRowColumnTitles[section]);
    if (section < kRowColumnCount + kPassColumnCount) return QString(kPassColumnTitles[section - kRowColumnCount]);
    return {};
}

}  // namespace vantrek::app
