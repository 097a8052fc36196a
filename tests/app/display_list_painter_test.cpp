#include "app/display_list_painter.hpp"

#include <gtest/gtest.h>

using namespace vantrek;
using namespace vantrek::app;

namespace {

QImage blackSurface() {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

}  // namespace

TEST(DisplayListPainter, FillsEllipsesBitmapsWithoutTheTransparentColourAndCopiesBetweenSurfaces) {
    QImage key(4, 4, QImage::Format_RGB32);
    key.fill(QColor(kTransparentColour.r, kTransparentColour.g, kTransparentColour.b));
    key.setPixelColor(1, 1, QColor(0, 200, 0));
    BitmapTable bitmaps;
    bitmaps.images[static_cast<int>(BitmapId::Sat)] = WithTransparentKey(key);

    QImage back = blackSurface();
    QImage signal = blackSurface();
    DisplayList list;
    CopyBitmap(list, BitmapId::Sat, {50, 50}, {0, 0}, 4, 4);
    CopyBitmap(list, BitmapId::Sun, {60, 60}, {0, 0}, 4, 4);  // never loaded: nothing drawn
    list.target = Surface::SignalMapSurface;
    FillRect(list, {0, 0, 10, 10}, BrushFor(BrushId::DeepBlue));
    list.target = Surface::BackBuffer;
    CopySurface(list, Surface::SignalMapSurface, {0, 0, 10, 10}, {80, 40});
    DrawEllipse(list, {100, 10, 140, 50}, PenFor(PenId::Red), BrushFor(BrushId::White));
    list.target = Surface::StatusBar;  // no status painter given: skipped
    FillRect(list, {0, 0, 200, 100}, BrushFor(BrushId::White));
    ReplayDisplayList(list, {&back, &signal, nullptr, &bitmaps});

    EXPECT_EQ(back.pixelColor(51, 51), QColor(0, 200, 0));
    EXPECT_EQ(back.pixelColor(50, 50), QColor(Qt::black));
    EXPECT_EQ(back.pixelColor(61, 61), QColor(Qt::black));
    EXPECT_EQ(signal.pixelColor(9, 9), QColor(0, 0, 180));
    EXPECT_EQ(signal.pixelColor(10, 5), QColor(Qt::black));  // right and bottom edges excluded
    EXPECT_EQ(back.pixelColor(5, 5), QColor(Qt::black));
    EXPECT_EQ(back.pixelColor(85, 45), QColor(0, 0, 180));
    EXPECT_EQ(back.pixelColor(90, 50), QColor(Qt::black));
    EXPECT_EQ(back.pixelColor(120, 30), QColor(Qt::white));
    EXPECT_EQ(back.pixelColor(100, 30), QColor(250, 0, 0));
    EXPECT_EQ(back.pixelColor(101, 11), QColor(Qt::black));  // outside the ellipse
}

