#include "app/dialogs/pass_chart_window.hpp"

#include <QHeaderView>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/display_list_painter.hpp"

namespace vantrek::app {

namespace {

constexpr int kChartMinimumWidth = 900;
constexpr int kChartMinimumHeight = 420;
constexpr int kTableHeight = 220;

QString qs(const std::string& s) { return QString::fromUtf8(s.c_str()); }

}  // namespace

PassChartView::PassChartView(const PassChartData& data, QWidget* parent) : QWidget(parent), data_(data) {
    setMinimumSize(kChartMinimumWidth, kChartMinimumHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage PassChartView::frame() const {
    QImage image(size(), QImage::Format_RGB32);
    DisplayList list;
    list.surfaceWidth = width();
    list.surfaceHeight = height();
    DrawPassChart(list, data_, {0, 0, width(), height()});
    ReplayTargets targets;
    targets.backBuffer = &image;
    ReplayDisplayList(list, targets);
    return image;
}

void PassChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, frame());
}

PassChartWindow::PassChartWindow(PassChartForm form, QWidget* parent) : QDialog(parent), form_(std::move(form)) {
    setWindowTitle(qs(form_.caption));
    chart_ = new PassChartView(form_.chart, this);
    table_ = new QTableWidget(static_cast<int>(form_.table.size()), kPassTableColumns, this);
    QStringList titles;
    for (const char* title : kPassTableTitles) titles << title;
    table_->setHorizontalHeaderLabels(titles);
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int r = 0; r < static_cast<int>(form_.table.size()); ++r) {
        const PassTableRow& row = form_.table[static_cast<size_t>(r)];
        const std::string* cells[kPassTableColumns] = {&row.time, &row.azimuth, &row.elevation, &row.range,
                                                       &row.downlink};
        for (int c = 0; c < kPassTableColumns; ++c) {
            auto* item = new QTableWidgetItem(qs(*cells[c]));
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setFixedHeight(kTableHeight);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart_, 1);
    layout->addWidget(table_);
}

}  // namespace vantrek::app
