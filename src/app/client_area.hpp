#pragma once

#include <QWidget>

#include "ui/main_window.hpp"

namespace vantrek::app {

class MainWindow;

// The main window's client area: the toolbar across its top, the status bar
// across its bottom, and between them the view, copied from the back buffer
// that the current view has just drawn. Keys and mouse go to the core.
class ClientArea : public QWidget {
    Q_OBJECT

public:
    explicit ClientArea(MainWindow& window);

    // How far the warning bar under the toolbar pushes the views down: the
    // point (x, y) of a view is shown at (x, y + viewOffset()).
    int viewOffset() const { return barHeight(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool inViewArea(const QMouseEvent& event) const;
    // The warning bar under the toolbar pushes the view down by its height.
    int barHeight() const;
    MousePoint mousePoint(const QMouseEvent& event) const;

    MainWindow& window_;
    // The back buffer holds a whole frame; a paint of part of the window
    // (an expose) shows that frame instead of drawing a new one over a part.
    bool frameDrawn_ = false;
};

// The status bar, drawn from its display list after the views.
class StatusBarWidget : public QWidget {
    Q_OBJECT

public:
    explicit StatusBarWidget(MainWindow& window, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MainWindow& window_;
};

}  // namespace vantrek::app
