#include "chartcache.h"

#include "localenumbers.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPaintEngine>

#include <cmath>

namespace chart {

namespace {

quint64 fontChanges = 0;

// The image under `p` when the layer can stand in for painting on it pixel for pixel: a raster
// image of a format an opaque layer copies onto exactly, unscaled and whole pixels apart, painted
// without opacity or blending that would treat one image differently from many strokes.
const QImage *layerTarget(QPainter &p)
{
    QPaintEngine *engine = p.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster)
        return nullptr;
    const QPaintDevice *device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    const auto *image = static_cast<const QImage *>(device);
    if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied)
        return nullptr;
    // Only whole-pixel shifts: painting scaled (a device pixel ratio above 1 included) draws
    // some strokes and glyphs differently from a scaled image of them.
    if (!wholePixelShift(p.deviceTransform()) || p.opacity() != 1.0
        || p.compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    return image;
}

}  // namespace

bool wholePixelShift(const QTransform &t)
{
    return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy());
}

quint64 fontGeneration()
{
    // Connected once per application object.
    static const QObject *connectedTo = nullptr;
    if (qGuiApp && connectedTo != qGuiApp) {
        QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, [] { ++fontChanges; });
        connectedTo = qGuiApp;
    }
    return fontChanges;
}

const LabelCache::Label &LabelCache::label(double value, const QFont &font)
{
    if (!(value == value)) {   // NaN: never equal to a key
        m_uncached = {numberText(value), 0, {}};
        m_uncached.width = QFontMetrics(font).horizontalAdvance(m_uncached.text);
        return m_uncached;
    }
    const quint64 generation = fontGeneration();
    // A pan far along an axis meets new values all the time; don't keep them all.
    if (m_font != font || m_fontGeneration != generation || m_labels.size() > 2000) {
        m_labels.clear();
        m_font = font;
        m_fontGeneration = generation;
    }
    auto [it, inserted] = m_labels.try_emplace(value);
    Label &l = it->second;
    if (inserted) {
        l.text = numberText(value);
        l.width = QFontMetrics(font).horizontalAdvance(l.text);
        l.glyphs.setText(l.text);
        l.glyphs.setTextFormat(Qt::PlainText);
        // numbers read left to right in a right-to-left layout too: "-45", not "45-"
        QTextOption option;
        option.setTextDirection(Qt::LeftToRight);
        l.glyphs.setTextOption(option);
    }
    return l;
}

bool BackgroundLook::operator==(const BackgroundLook &o) const
{
    return size == o.size && color == o.color && palette == o.palette
           && backWallTransparent == o.backWallTransparent && backWallColor == o.backWallColor
           && plotRect == o.plotRect && xMarks == o.xMarks && yMarks == o.yMarks
           && xLabels == o.xLabels && yLabels == o.yLabels && titleLines == o.titleLines
           && bottomTitle == o.bottomTitle && leftTitle == o.leftTitle && widgetFont == o.widgetFont
           && labelFont == o.labelFont && bottomTitleFont == o.bottomTitleFont
           && leftTitleFont == o.leftTitleFont;
}

bool BackgroundLayer::Key::operator==(const Key &o) const
{
    return format == o.format && devicePixelRatio == o.devicePixelRatio
           && fontGeneration == o.fontGeneration && renderHints == o.renderHints
           && layoutDirection == o.layoutDirection && backgroundMode == o.backgroundMode
           && background == o.background && brush == o.brush && look == o.look;
}

void BackgroundLayer::paint(QPainter &p, const BackgroundLook &look,
                            const std::function<void(QPainter &)> &paint)
{
    const QImage *target = layerTarget(p);
    // The layer must cover every pixel it is drawn on, as painting would.
    if (!target || look.color.alpha() != 255 || look.size.isEmpty()) {
        paint(p);
        return;
    }
    Key key{look, target->format(), target->devicePixelRatio(), fontGeneration(), p.renderHints(),
            p.layoutDirection(), p.backgroundMode(), p.background(), p.brush()};
    const bool same = m_key && *m_key == key;
    if (!same && m_image.isNull()) {
        // Until some background has been painted twice, paint directly and keep no image.
        m_key = std::move(key);
        paint(p);
        return;
    }
    if (!same) {
        m_key = std::move(key);
        m_image = QImage();
    }
    if (m_image.isNull()) {
        m_image = QImage(look.size * m_key->devicePixelRatio, m_key->format);
        m_image.setDevicePixelRatio(m_key->devicePixelRatio);
        QPainter q(&m_image);
        q.setRenderHints(q.renderHints(), false);
        q.setRenderHints(m_key->renderHints);
        q.setLayoutDirection(m_key->layoutDirection);
        q.setBackgroundMode(m_key->backgroundMode);
        q.setBackground(m_key->background);
        q.setBrush(m_key->brush);
        paint(q);
    }
    p.drawImage(QPoint(0, 0), m_image);
}

}  // namespace chart
