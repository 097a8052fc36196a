#include "app/dialogs/predict_list_item.hpp"

#include <cmath>

#include <QHeaderView>

#include "ui/dialogs/predict_columns.hpp"

namespace vantrek::app {

namespace {

constexpr int kSortKeyRole = Qt::UserRole;
constexpr int kPositionRole = Qt::UserRole + 1;

// Sorts by the core's key of the sorted column, by text where it has none.
class PredictListItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() != nullptr ? treeWidget()->sortColumn() : 0;
        const double a = data(column, kSortKeyRole).toDouble();
        const double b = other.data(column, kSortKeyRole).toDouble();
        if (std::isnan(a) || std::isnan(b)) return QTreeWidgetItem::operator<(other);
        return a < b;
    }
};

QString qs(const std::string& s) { return QString::fromUtf8(s.c_str()); }

}  // namespace

void AddPassColumns(QTreeWidget* list) {
    list->setColumnCount(kRowColumnCount + kPassColumnCount);
    QTreeWidgetItem* header = list->headerItem();
    for (int c = 0; c < kPassColumnCount; ++c) {
        header->setText(kRowColumnCount + c, kPassColumnTitles[c]);
        list->setColumnWidth(kRowColumnCount + c, kPassColumnWidths[c]);
    }
    // Sorting starts unsorted, newest row on top, until a title is clicked.
    list->header()->setSortIndicator(-1, Qt::AscendingOrder);
    list->setSortingEnabled(true);
}

QTreeWidgetItem* AddPredictListItem(QTreeWidget* list, const QStringList& rowCells, const AppState& state,
                                    int position) {
    const PassDetailCells pass = PredictListPassCells(state, position);
    QStringList cells = rowCells;
    cells << qs(pass.aos) << qs(pass.maxElevation) << qs(pass.los) << qs(pass.duration) << qs(pass.aosAzimuth)
          << qs(pass.losAzimuth);
    auto* item = new PredictListItem(cells);
    for (int c = 0; c < kRowColumnCount + kPassColumnCount; ++c)
        item->setData(c, kSortKeyRole, PredictListSortKey(state, position, c));
    item->setData(0, kPositionRole, position);
    if (!pass.aos.empty() && pass.aos[0] == '<') item->setToolTip(kRowColumnCount, kUpAtStartTip);
    list->addTopLevelItem(item);
    return item;
}

int PredictListPosition(const QTreeWidgetItem* item) {
    bool ok = false;
    const int position = item->data(0, kPositionRole).toInt(&ok);
    return ok ? position : -1;
}

}  // namespace vantrek::app
