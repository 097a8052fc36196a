#include "app/display_list_painter.hpp"

#include <memory>

#include <QPolygon>

namespace vantrek::app {

namespace {

QColor toQColor(Colour c) { return QColor(c.r, c.g, c.b); }

QRect toQRect(Rect r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

int alignmentFor(uint32_t flags) {
    int qt = Qt::AlignLeft;
    if (flags & TextCenter) qt = Qt::AlignHCenter;
    if (flags & TextRight) qt = Qt::AlignRight;
    if (flags & TextVCenter) qt |= Qt::AlignVCenter;
    else if (flags & TextBottom) qt |= Qt::AlignBottom;
    else qt |= Qt::AlignTop;
    if (flags & TextSingleLine) qt |= Qt::TextSingleLine;
    if (flags & TextWordBreak) qt |= Qt::TextWordWrap;
    return qt;
}

QPen toQPen(const Pen& pen) {
    if (pen.width <= 0) return QPen(Qt::NoPen);
    QPen q(toQColor(pen.colour));
    q.setWidth(pen.width);
    return q;
}

QBrush toQBrush(const Brush& brush) {
    return brush.hollow ? QBrush(Qt::NoBrush) : QBrush(toQColor(brush.colour));
}

// One painter per image surface, opened when first needed.
class Painters {
public:
    explicit Painters(const ReplayTargets& targets) : targets_(targets) {}

    QPainter* forSurface(Surface surface) {
        switch (surface) {
            case Surface::StatusBar: return targets_.statusBar;
            case Surface::BackBuffer: return open(back_, targets_.backBuffer);
            case Surface::SignalMapSurface: return open(signal_, targets_.signalMap);
            case Surface::WorkImage: return open(work_, targets_.workImage);
        }
        return nullptr;
    }

    QImage* image(Surface surface) const {
        if (surface == Surface::BackBuffer) return targets_.backBuffer;
        if (surface == Surface::SignalMapSurface) return targets_.signalMap;
        if (surface == Surface::WorkImage) return targets_.workImage;
        return nullptr;
    }

private:
    static QPainter* open(std::unique_ptr<QPainter>& painter, QImage* image) {
        if (!image) return nullptr;
        if (!painter) painter = std::make_unique<QPainter>(image);
        return painter.get();
    }

    const ReplayTargets& targets_;
    std::unique_ptr<QPainter> back_;
    std::unique_ptr<QPainter> signal_;
    std::unique_ptr<QPainter> work_;
};

void drawOne(QPainter& p, const DrawCommand& c, const Painters& painters,
             const BitmapTable* bitmaps) {
    switch (c.op) {
        case DrawOp::FillRect:
            if (!c.brush.hollow) p.fillRect(toQRect(c.rect), toQColor(c.brush.colour));
            break;
        case DrawOp::Ellipse: {
            p.setPen(toQPen(c.pen));
            p.setBrush(toQBrush(c.brush));
            // The box excludes its right and bottom edge, as in the window system.
            p.drawEllipse(QRect(c.rect.left, c.rect.top, c.rect.right - c.rect.left - 1,
                                c.rect.bottom - c.rect.top - 1));
            break;
        }
        case DrawOp::Polyline: {
            QPolygon polygon;
            for (const Point& pt : c.points) polygon << QPoint(pt.x, pt.y);
            p.setPen(toQPen(c.pen));
            p.drawPolyline(polygon);
            break;
        }
        case DrawOp::SetPixels: {
            // Straight into an image surface: a map frame sets about a million
            // pixels, which the painter's point drawing takes a tenth of a second for.
            QImage* image = painters.image(c.target);
            // Only an image no one else shares: writing must not detach it from the painter.
            const bool direct = image && image->isDetached() &&
                                (image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32);
            if (direct) {
                const QRgb rgb = qRgb(c.colour.r, c.colour.g, c.colour.b);
                const int w = image->width(), h = image->height();
                const qsizetype stride = image->bytesPerLine();
                uchar* bits = image->bits();
                for (const Point& pt : c.points)
                    if (pt.x >= 0 && pt.y >= 0 && pt.x < w && pt.y < h)
                        reinterpret_cast<QRgb*>(bits + pt.y * stride)[pt.x] = rgb;
                break;
            }
            QPolygon polygon;
            polygon.reserve(static_cast<int>(c.points.size()));
            for (const Point& pt : c.points) polygon << QPoint(pt.x, pt.y);
            p.setPen(QPen(toQColor(c.colour), 1));
            p.drawPoints(polygon);
            break;
        }
        case DrawOp::Text:
            p.setFont(FontForId(c.font));
            p.setPen(toQColor(c.colour));
            if (c.opaqueText) {
                p.fillRect(p.boundingRect(toQRect(c.rect), alignmentFor(c.textFlags),
                                          QString::fromStdString(c.text)),
                           toQColor(c.background));
            }
            p.drawText(toQRect(c.rect), alignmentFor(c.textFlags), QString::fromStdString(c.text));
            break;
        case DrawOp::CopyBitmap:
        case DrawOp::StretchBitmap: {
            if (!bitmaps) break;
            const QImage& image = bitmaps->images[static_cast<int>(c.bitmap)];
            if (!image.isNull()) p.drawImage(toQRect(c.rect), image, toQRect(c.source));
            break;
        }
        case DrawOp::CopySurface:
        case DrawOp::StretchSurface: {
            const QImage* source = painters.image(c.sourceSurface);
            // A copy, so that a surface can be copied onto itself while it is painted.
            if (source) p.drawImage(toQRect(c.rect), source->copy(toQRect(c.source)));
            break;
        }
    }
}

}  // namespace

QFont FontForId(FontId font) {
    const FontSpec face = FontFor(font);
    QFont q;
    // An Arial-like face where there is one; the height is the character cell
    // of the window system's fonts, of which the glyphs take about four fifths.
    q.setFamilies({"Arial", "Liberation Sans", "Nimbus Sans", "Helvetica"});
    q.setPixelSize(face.height * 4 / 5);
    q.setWeight(face.weight == 0 ? QFont::Normal : QFont::Thin);
    return q;
}

QImage WithTransparentKey(const QImage& image) {
    if (image.isNull()) return image;
    // Premultiplied, the painter's own form: copies need no conversion (the
    // map view pastes its day map in some 1500 strips a frame). An image
    // without the key colour stays opaque, which copies faster still.
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb key = qRgb(kTransparentColour.r, kTransparentColour.g, kTransparentColour.b);
    bool keyed = false;
    for (int y = 0; y < result.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) {
                line[x] = 0;
                keyed = true;
            }
    }
    return keyed ? result : image.convertToFormat(QImage::Format_RGB32);
}

void ReplayDisplayList(const DisplayList& list, const ReplayTargets& targets) {
    Painters painters(targets);
    for (const DrawCommand& command : list.commands) {
        QPainter* painter = painters.forSurface(command.target);
        if (painter) drawOne(*painter, command, painters, targets.bitmaps);
    }
}

}  // namespace vantrek::app
