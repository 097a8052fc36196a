#include "app/dialogs/satellite_list_model.hpp"

namespace vantrek::app {

namespace {

const char* const kColumnTitles[] = {"Satellite", "Cat #", "Element #", "Epoch", "In file #"};
constexpr int kColumns = 5;

QString cellText(const SatelliteRow& row, int column) {
    switch (column) {
        // Names are stored blank-padded to 24 columns; shown without the padding.
        case 0: return QString::fromStdString(row.name).trimmed();
        case 1: return QString::fromStdString(row.catalogNumber);
        case 2: return QString::fromStdString(row.elementNumber);
        case 3: return QString::fromStdString(row.epoch);
        default: return QString::fromStdString(row.slotText);
    }
}

QVariant sortKey(const SatelliteRow& row, int column) {
    switch (column) {
        case 1: return QString::fromStdString(row.catalogNumber).toLongLong();
        case 2: return QString::fromStdString(row.elementNumber).toLongLong();
        case 3: return row.epochJulianDate;
        case 4: return row.slot;
        default: return cellText(row, column).toLower();
    }
}

}  // namespace

SatelliteListModel::SatelliteListModel(SatelliteForm& form, QObject* parent)
    : QAbstractTableModel(parent), form_(form) {}

void SatelliteListModel::checksChanged() {
    if (form_.rows.empty()) return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
}

int SatelliteListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(form_.rows.size());
}

int SatelliteListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant SatelliteListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(form_.rows.size())) return {};
    const SatelliteRow& row = form_.rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) return cellText(row, index.column());
    if (role == Qt::CheckStateRole && index.column() == 0) return row.checked ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::UserRole) return sortKey(row, index.column());
    return {};
}

bool SatelliteListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole ||
        index.row() >= static_cast<int>(form_.rows.size()))
        return false;
    form_.rows[static_cast<std::size_t>(index.row())].checked = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags SatelliteListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == 0) flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant SatelliteListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns) return {};
    return QString(kColumnTitles[section]);
}

SatelliteFilterModel::SatelliteFilterModel(const SatelliteForm& form, QObject* parent)
    : QSortFilterProxyModel(parent), form_(form) {
    setSortRole(Qt::UserRole);
}

void SatelliteFilterModel::filterChanged() { invalidateRowsFilter(); }

bool SatelliteFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    if (form_.filter.empty()) return true;
    if (sourceRow < 0 || sourceRow >= static_cast<int>(form_.rows.size())) return false;
    return satelliteRowShown(form_.rows[static_cast<std::size_t>(sourceRow)], form_.filter);
}

}  // namespace vantrek::app
