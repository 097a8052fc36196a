#include "app/client_area.hpp"

#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolBar>

#include "app/main_window.hpp"
#include "ui/main_window_paint.hpp"

namespace vantrek::app {

namespace {

int keyCode(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return KeyEnter;
        case Qt::Key_Left: return KeyLeft;
        case Qt::Key_Up: return KeyUp;
        case Qt::Key_Right: return KeyRight;
        case Qt::Key_Down: return KeyDown;
        default: return 0;
    }
}

DragButtons dragButtons(const QMouseEvent& event) {
    if (event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) return DragButtons::Other;
    if (event.buttons() == Qt::LeftButton) return DragButtons::OnlyLeft;
    if (event.buttons() == Qt::RightButton) return DragButtons::OnlyRight;
    return event.buttons() == Qt::NoButton ? DragButtons::None : DragButtons::Other;
}

}  // namespace

int ClientArea::barHeight() const {
    const QWidget* bar = window_.staleBar_;
    return bar != nullptr && bar->isVisible() ? bar->height() : 0;
}

// The views draw as if the bar were not there; with it, they sit below it.
MousePoint ClientArea::mousePoint(const QMouseEvent& event) const {
    const QPoint p = event.position().toPoint();
    return {p.x(), p.y() - barHeight()};
}

ClientArea::ClientArea(MainWindow& window) : QWidget(&window), window_(window) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 100);
}

void ClientArea::paintEvent(QPaintEvent* event) {
    const int shift = barHeight();
    const Rect client{0, 0, width(), height() - shift};
    const Rect view = ViewArea(client);
    const QRect viewRect(view.left, view.top + shift, view.right - view.left, view.bottom - view.top);
    // A new frame only for a paint of the whole view area: a part of the
    // window drawn from a newer state than the rest would tear the picture.
    // The bars on top of it are painted by themselves and never asked for.
    QRegion wholeView(viewRect);
    for (const QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisible()) wholeView -= child->geometry();
    if (!frameDrawn_ || wholeView.subtracted(event->region()).isEmpty()) {
        DisplayList list;
        window_.fitSurfaces(SurfaceSizeFor(client));
        PaintView(window_.state(), list, client, *window_.options_.clock);
        ReplayDisplayList(list, {&window_.backBuffer_, &window_.signalMap_, nullptr, &window_.bitmaps_,
                                 &window_.workImage_});
        frameDrawn_ = true;
    }
    QPainter painter(this);
    painter.drawImage(0, shift, window_.backBuffer_);
}

void ClientArea::resizeEvent(QResizeEvent*) {
    frameDrawn_ = false;
    if (window_.toolbar_) window_.toolbar_->setGeometry(0, 0, width(), kToolbarHeight);
    if (window_.staleBar_) window_.staleBar_->resize(width(), window_.staleBar_->height());
    if (window_.status_) {
        window_.status_->setGeometry(0, height() - kStatusBarHeight, width(), kStatusBarHeight);
        window_.status_->update();
    }
}

void ClientArea::keyPressEvent(QKeyEvent* event) {
    const int key = keyCode(event->key());
    if (key == 0) return QWidget::keyPressEvent(event);
    window_.applyRepaint(KeyPressed(window_.state(), window_.services_, key));
}

void ClientArea::keyReleaseEvent(QKeyEvent* event) {
    const int key = keyCode(event->key());
    if (key == 0 || event->isAutoRepeat()) return QWidget::keyReleaseEvent(event);
    window_.applyRepaint(KeyReleased(window_.state(), key));
}

bool ClientArea::inViewArea(const QMouseEvent& event) const {
    const Rect view = ViewArea({0, 0, width(), height() - barHeight()});
    const MousePoint p = mousePoint(event);
    return p.x >= view.left && p.x < view.right && p.y >= view.top && p.y < view.bottom;
}

// Only the view area acts on the view: a click that reaches the client area
// outside it (the toolbar and the status bar pass on none) is not a click on
// the chart.
void ClientArea::mousePressEvent(QMouseEvent* event) {
    if (!inViewArea(*event)) return event->ignore();
    if (event->button() != Qt::LeftButton) return;
    window_.applyRepaint(LeftButtonDown(window_.state(), mousePoint(*event)));
}

void ClientArea::mouseMoveEvent(QMouseEvent* event) {
    window_.applyRepaint(MouseMove(window_.state(), mousePoint(*event), dragButtons(*event)));
}

void ClientArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    window_.applyRepaint(LeftButtonUp(window_.state()));
}

StatusBarWidget::StatusBarWidget(MainWindow& window, QWidget* parent)
    : QWidget(parent), window_(window) {
    setObjectName("statusbar");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoMousePropagation);
}

void StatusBarWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().mid().color());
    painter.drawLine(0, 0, width(), 0);
    DisplayList list;
    AppState& state = window_.state();
    DrawStatusBar(list, {0, 0, width(), height()}, StatusBarFactsFor(state), state.tickCounter);
    ReplayDisplayList(list, {nullptr, nullptr, &painter, &window_.bitmaps_});
}

}  // namespace vantrek::app
