#pragma once

#include <QImage>
#include <QPainter>

#include "ui/display_list.hpp"

namespace vantrek::app {

// The bitmaps the views copy from, indexed by BitmapId; the transparent
// colour is already turned into alpha. A bitmap that could not be read is a
// null image, from which copies draw nothing.
struct BitmapTable {
    QImage images[kBitmapCount];
};

// Where each surface of a display list is drawn. Any of them may be null,
// and then the commands for it are skipped.
struct ReplayTargets {
    QImage* backBuffer = nullptr;
    QImage* signalMap = nullptr;
    QPainter* statusBar = nullptr;
    const BitmapTable* bitmaps = nullptr;
    QImage* workImage = nullptr;
};

// Draws every command of `list` in order.
void ReplayDisplayList(const DisplayList& list, const ReplayTargets& targets);

// A bitmap with the transparent colour turned into alpha.
QImage WithTransparentKey(const QImage& image);

// The program's two fonts.
QFont FontForId(FontId font);

}  // namespace vantrek::app
