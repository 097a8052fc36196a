#pragma once

#include <QStringList>
#include <QTreeWidget>

#include "ui/app_state.hpp"

namespace vantrek::app {

// The pass columns' titles and widths after the list's six.
void AddPassColumns(QTreeWidget* list);

// A row of the Predict list at form position `position` (newest first): its
// six row cells, the pass cells after them, and the core's sort keys, so that
// a click on a column title sorts by the numbers behind the cells.
QTreeWidgetItem* AddPredictListItem(QTreeWidget* list, const QStringList& rowCells, const AppState& state,
                                    int position);

// The form position an item was made for, whatever order the list shows.
int PredictListPosition(const QTreeWidgetItem* item);

}  // namespace vantrek::app
