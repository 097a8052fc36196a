#pragma once

#include <string>

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include "ui/dialogs/satellite_dialog.hpp"

namespace vantrek::app {

// The "Satelites" list as a table over the form's rows, their boxes in the
// first column: no widget per row, so a catalogue of tens of thousands opens
// at once. Qt::UserRole gives the sort key (numbers as numbers).
class SatelliteListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit SatelliteListModel(SatelliteForm& form, QObject* parent = nullptr);

    // The boxes have changed in the form (a "Select" press).
    void checksChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    SatelliteForm& form_;
};

// Shows the rows the form's filter matches and sorts them by their keys.
class SatelliteFilterModel : public QSortFilterProxyModel {
    Q_OBJECT

public:
    SatelliteFilterModel(const SatelliteForm& form, QObject* parent = nullptr);

    // The form's filter has changed.
    void filterChanged();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    const SatelliteForm& form_;
};

}  // namespace vantrek::app
