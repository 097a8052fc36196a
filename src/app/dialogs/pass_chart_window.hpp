#pragma once

#include <QDialog>
#include <QWidget>

#include "ui/dialogs/pass_chart_dialog.hpp"

class QTableWidget;

namespace vantrek::app {

// The chart of one pass, drawn by the core as a display list.
class PassChartView : public QWidget {
    Q_OBJECT

public:
    PassChartView(const PassChartData& data, QWidget* parent);

    // The frame as it is painted at the view's size.
    QImage frame() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PassChartData& data_;
};

// A pass's window: the chart over its table every 30 seconds. Opened from a
// row of the Predict window; it does not change the program's state.
class PassChartWindow : public QDialog {
    Q_OBJECT

public:
    PassChartWindow(PassChartForm form, QWidget* parent);

    const PassChartForm& form() const { return form_; }
    PassChartView* chart() const { return chart_; }
    QTableWidget* table() const { return table_; }

private:
    PassChartForm form_;
    PassChartView* chart_ = nullptr;
    QTableWidget* table_ = nullptr;
};

}  // namespace vantrek::app
