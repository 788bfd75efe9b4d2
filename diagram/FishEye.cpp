#include "FishEye.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "photometry/IesRecord.h"

namespace {

constexpr QRgb kBlack = 0xff000000;

// arccos as atan2, which keeps its precision near 1.
double ArcCos(double v)
{
    return std::atan2(std::sqrt(std::max(0.0, 1.0 - v * v)), v);
}

// The lens works on 32-bit pixels; anything else is converted once.
QImage ThirtyTwoBit(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return image;
    default:
        return image.convertToFormat(QImage::Format_RGB32);
    }
}

}  // namespace

double LensStretch(int radius, int refraction, bool magnify, int a, int b)
{
    const double R = radius;
    const double q = double(a) * a + double(b) * b;
    const double rho = std::sqrt(q);
    if (rho > R || rho == 0)
        return 1.0;
    const double n = refraction / 10.0 + 1.0;
    const double h = std::sqrt(R * R - q);
    const double sigma = std::sqrt(1.0 - (rho / R) * (rho / R));
    const double t = std::tan(ArcCos(sigma) - ArcCos(sigma / n));
    const double sign = magnify ? 1.0 : -1.0;
    return 1.0 - sign * (h - R) * t / rho;
}

LensMap::LensMap(const LensSettings& settings)
    : radius_(std::clamp(settings.radius, 0, kLensMaxRadius)),
      refraction_(settings.refraction),
      magnify_(settings.magnify)
{
    const int side = radius_ + 1;
    offsets_.resize(std::size_t(side) * side);
    // w depends only on the distance, so it is worked out once per a^2 + b^2.
    std::vector<double> stretchOf(std::size_t(radius_) * radius_ + 1, -1.0);
    for (int a = 0; a <= radius_; ++a) {
        for (int b = 0; b <= radius_; ++b) {
            const int q = a * a + b * b;
            if (q == 0 || q > radius_ * radius_)
                continue;
            double& w = stretchOf[std::size_t(q)];
            if (w < 0)
                w = LensStretch(radius_, refraction_, magnify_, a, b);
            // Shrinking with a large n looks far out; keep the offset within
            // what 16 bits hold (anything that far reads black anyway).
            const auto clampOffset = [](double x) {
                return std::int16_t(std::clamp(RoundHalfEven(x), -30000, 30000));
            };
            offsets_[std::size_t(a) * side + b] = Offset{clampOffset(b * w), clampOffset(a * w), true};
        }
    }
    // The rim as the painter draws it, found once so a lens needs no painter.
    if (radius_ > 0) {
        QImage mask(2 * radius_, 2 * radius_, QImage::Format_RGB32);
        if (mask.isNull())
            return;
        mask.fill(Qt::white);
        {
            QPainter painter(&mask);
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QRect(0, 0, mask.width() - 1, mask.height() - 1));
        }
        const int maskSide = mask.width();
        for (int j = 0; j < maskSide; ++j) {
            const auto* row = reinterpret_cast<const QRgb*>(mask.constScanLine(j));
            for (int i = 0; i < maskSide; ++i)
                if (row[i] != 0xffffffff)
                    rim_.emplace_back(i, j);
        }
    }
}

bool LensMap::fits(const LensSettings& settings) const
{
    return radius_ == std::clamp(settings.radius, 0, kLensMaxRadius) && refraction_ == settings.refraction
        && magnify_ == settings.magnify;
}

QPoint LensMap::source(int a, int b) const
{
    if (a < 0 || b < 0 || a > radius_ || b > radius_)
        return {b, a};
    const Offset& o = offsets_[std::size_t(a) * (radius_ + 1) + b];
    return o.refracted ? QPoint(o.u, o.v) : QPoint(b, a);
}

QImage DrawLens(const QImage& snapshotAnyFormat, QPoint centre, const LensMap& map)
{
    const int R = map.radius();
    if (R <= 0)
        return {};
    const QImage snapshot = ThirtyTwoBit(snapshotAnyFormat);
    const QImage::Format format = snapshot.isNull() ? QImage::Format_RGB32 : snapshot.format();
    QImage lens(2 * R, 2 * R, format);
    if (lens.isNull())
        return {};
    const int side = 2 * R;
    const int sw = snapshot.width();
    const int sh = snapshot.height();
    // Raw rows: a painter or QImage::pixel per pixel would cost more than the lens.
    const uchar* source = snapshot.constBits();
    const qsizetype sourceStride = snapshot.bytesPerLine();
    uchar* target = lens.bits();
    const qsizetype targetStride = lens.bytesPerLine();
    const auto sourceRow = [&](int y) { return reinterpret_cast<const QRgb*>(source + y * sourceStride); };
    const auto targetRow = [&](int y) { return reinterpret_cast<QRgb*>(target + y * targetStride); };
    const auto snapshotPixel = [&](int x, int y) -> QRgb {
        if (x < 0 || y < 0 || x >= sw || y >= sh)
            return kBlack;
        return sourceRow(y)[x];
    };

    // The unrefracted copy: the snapshot under the lens square, black beyond it.
    const int left = centre.x() - R;
    const int top = centre.y() - R;
    const int from = std::clamp(-left, 0, side);
    const int to = std::clamp(sw - left, from, side);
    for (int j = 0; j < side; ++j) {
        QRgb* row = targetRow(j);
        const int sy = top + j;
        if (sy < 0 || sy >= sh) {
            std::fill(row, row + side, kBlack);
            continue;
        }
        std::fill(row, row + from, kBlack);
        if (to > from)
            std::memcpy(row + from, sourceRow(sy) + left + from, std::size_t(to - from) * sizeof(QRgb));
        std::fill(row + to, row + side, kBlack);
    }

    // One quadrant's geometry serves all four by symmetry. Pixel 2R falls
    // outside the picture and is dropped.
    const auto put = [&](int i, int j, QRgb colour) {
        if (i < side && j < side)
            targetRow(j)[i] = colour;
    };
    const int x = centre.x();
    const int y = centre.y();
    for (int a = 0; a <= R; ++a) {
        for (int b = 0; b <= R; ++b) {
            const int q = a * a + b * b;
            if (q == 0 || q > R * R)
                continue;
            const QPoint s = map.source(a, b);
            const int u = s.x();
            const int v = s.y();
            put(R - b, R - a, snapshotPixel(x - u, y - v));
            put(R - b, R + a, snapshotPixel(x - u, y + v));
            put(R + b, R - a, snapshotPixel(x + u, y - v));
            put(R + b, R + a, snapshotPixel(x + u, y + v));
        }
    }
    for (const QPoint& p : map.rim())
        targetRow(p.y())[p.x()] = kBlack;
    return lens;
}

QRect LensRect(QPoint pointer, const LensSettings& settings)
{
    if (!settings.on || settings.radius <= 0)
        return {};
    const int R = std::min(settings.radius, kLensMaxRadius);
    return {pointer.x() - R, pointer.y() - R, 2 * R, 2 * R};
}

void DrawLensProfile(QPainter& painter, QSize size, bool magnify, const QColor& pen, const QColor& shadow)
{
    const int w = size.width() / 2;
    // The circle's box sits one pixel low for the dome, w - 1 high for the
    // bowl, so either half fills the space above the bar.
    const int e = magnify ? -1 : w - 1;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(pen, 1));
    painter.setBrush(Qt::NoBrush);
    // Qt counts angles counter-clockwise from three o'clock in 1/16 degree.
    painter.drawArc(QRect(0, -e, 2 * w - 1, 2 * w - 1), magnify ? 0 : 180 * 16, 180 * 16);
    painter.restore();
    painter.fillRect(QRect(0, size.height() - 10, size.width() - 1, 9), shadow);
}

SliderDrag DragLensSlider(int base, int y, int minimum, int maximum)
{
    const int wanted = base - y;
    SliderDrag drag{std::clamp(wanted, minimum, maximum), base};
    if (std::abs(wanted) > 2 && (drag.value == minimum || drag.value == maximum))
        drag.base = drag.value + y;
    return drag;
}
