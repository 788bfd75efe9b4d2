#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

class QPainter;

// The magnifying lens and the read-out window ("Fish eye&Fly Window"): the
// options panel hands them out, the diagram box draws with them.
struct LensSettings {
    bool on = true;
    bool magnify = false;  // "+/-": on, the lens magnifies (convex); off, it shrinks (concave)
    int radius = 32;       // R in pixels (TrackBarR)
    int refraction = 80;   // K: index of refraction n = K / 10 + 1 (TrackBarK)
    int opacity = 128;     // the read-out window's, 0..255 (TrackBarAlpha)
    friend bool operator==(const LensSettings&, const LensSettings&) = default;
};

inline constexpr int kLensMinRadius = 8;
inline constexpr int kLensMaxRadius = 64;
inline constexpr int kLensMaxRefraction = 80;

// How far the lens pixel b right and a below the centre looks: it shows the
// snapshot pixel (Round(w b), Round(w a)) from the pointer, w returned here.
// A sphere of radius R and index n = K / 10 + 1 refracts the ray; w < 1
// magnifies, w > 1 shrinks. 1 at the centre and outside the rim.
[[nodiscard]] double LensStretch(int radius, int refraction, bool magnify, int a, int b);

// Where every pixel of one lens quadrant looks, for one R, K and "+/-".
// Built once per change of those, so a mouse move only copies pixels.
class LensMap {
public:
    LensMap() = default;
    // A map for the settings' R (clamped to 0 ... kLensMaxRadius), K and "+/-".
    explicit LensMap(const LensSettings& settings);

    [[nodiscard]] int radius() const { return radius_; }
    [[nodiscard]] bool fits(const LensSettings& settings) const;
    // The snapshot offset (u, v) shown by quadrant pixel (b right, a below the
    // centre), 0 <= a, b <= R; (b, a) itself where the lens does not refract.
    [[nodiscard]] QPoint source(int a, int b) const;
    // The pixels of the 1-pixel circle inscribed in the 2R x 2R lens picture.
    [[nodiscard]] const std::vector<QPoint>& rim() const { return rim_; }

private:
    struct Offset {
        std::int16_t u = 0;
        std::int16_t v = 0;
        bool refracted = false;
    };
    int radius_ = 0;
    int refraction_ = 0;
    bool magnify_ = false;
    std::vector<Offset> offsets_;  // (R + 1)^2, row a, column b
    std::vector<QPoint> rim_;
};

// The lens picture, 2R x 2R: lens pixel (i, j) lies over box pixel
// centre - (R, R) + (i, j). Filled from the snapshot (black outside it),
// refracted as the map says, and ringed by a 1-pixel black circle. Reads and
// writes the pixels through scan lines. Null when R is 0 or memory runs out.
[[nodiscard]] QImage DrawLens(const QImage& snapshot, QPoint centre, const LensMap& map);

// The square the lens covers on the box, empty when it is off.
[[nodiscard]] QRect LensRect(QPoint pointer, const LensSettings& settings);

// The profile picture of the lens: a dome (magnifying) or a bowl (shrinking)
// drawn in `pen`, on a 10-pixel bar of `shadow` along the bottom.
void DrawLensProfile(QPainter& painter, QSize size, bool magnify, const QColor& pen, const QColor& shadow);

// One step of an Alt-drag of R or K: the slider's new value for the pointer's
// y, and the drag base for the next step. At either end of the range the base
// follows the pointer, so reversing the drag takes effect at once.
struct SliderDrag {
    int value = 0;
    int base = 0;
};
[[nodiscard]] SliderDrag DragLensSlider(int base, int y, int minimum, int maximum);
