#include "app/drawing_bitmaps.hpp"

#include <QString>

namespace vantrek::app {

namespace {

QImage readBitmap(const QString& path) { return WithTransparentKey(QImage(path)); }

}  // namespace

void LoadDrawingBitmaps(const ProgramFolder& folder, MessageSink& messages, BitmapTable& table) {
    const auto load = [&](BitmapId id, const std::string& path) {
        QImage image = readBitmap(QString::fromStdString(path));
        table.images[static_cast<int>(id)] = image;
        return !image.isNull();
    };
    LoadSkinBitmaps(folder, load, messages);
    table.images[static_cast<int>(BitmapId::ObserverMarker)] = readBitmap(":/icons/observer.bmp");
    table.images[static_cast<int>(BitmapId::GpsIconFix)] = readBitmap(":/icons/gps_fix.bmp");
    table.images[static_cast<int>(BitmapId::GpsIconIdle)] = readBitmap(":/icons/gps_idle.bmp");
}

}  // namespace vantrek::app
