#pragma once

#include <QColor>
#include <QString>

#include <optional>

#include "diagram/Canvas.h"
#include "diagram/DatasheetPage.h"

// What the datasheet's pages share: geometry in typographic points, the
// ink, drawing in points on a canvas in device pixels, and numbers written
// as the diagram writes them.
namespace datasheet {

inline constexpr double kMargin = 36;
inline constexpr double kGutter = 16;
inline constexpr double kFooterHeight = 16;

inline const QColor kInk{0, 0, 0};
inline const QColor kGrey{0x55, 0x55, 0x55};
inline const QColor kRule{0x99, 0x99, 0x99};
inline const QColor kShade{0xe8, 0xe8, 0xe8};   // table headings
inline const QColor kStripe{0xf5, 0xf5, 0xf5};  // every other table row

inline const QString kDash = QStringLiteral("–");
inline const QString kDegree = QStringLiteral("°");

class Sheet {
public:
    Sheet(Canvas& canvas, const DatasheetPaper& paper);

    [[nodiscard]] Canvas& Target() { return canvas_; }
    [[nodiscard]] double Width() const { return width_; }
    [[nodiscard]] double Height() const { return height_; }
    [[nodiscard]] int Px(double points) const;
    [[nodiscard]] double Points(int pixels) const { return pixels / ppp_; }

    void Font(double size, bool bold = false, const QColor& color = kInk);
    [[nodiscard]] double TextWidth(const QString& text) { return Points(canvas_.TextWidth(text)); }
    // Text with its cell's top-left corner at (x, y), cut to `width` with an ellipsis.
    void Text(double x, double y, const QString& text, double width);
    // The same ending at `right`.
    void TextRight(double right, double y, const QString& text, double width);
    // The longest beginning of `text` that fits `width` with an ellipsis, or `text`.
    [[nodiscard]] QString Elide(const QString& text, double width);

    void Rule(double x0, double y, double x1, double weight = 0.5, const QColor& color = kRule);
    void Fill(double x, double y, double w, double h, const QColor& color);
    void Frame(double x, double y, double w, double h);

private:
    Canvas& canvas_;
    double ppp_;
    double width_;
    double height_;
};

// `decimals` places, the user's decimal separator, space-grouped thousands;
// a dash for what is not a number.
[[nodiscard]] QString Fixed(double x, int decimals);
// The same with a unit, or a dash when empty.
[[nodiscard]] QString Optional(const std::optional<double>& x, int decimals, const QString& unit);
// Rounded to `decimals` places without trailing zeros ("36 W", "36.5 W").
[[nodiscard]] QString Rounded(const std::optional<double>& x, int decimals, const QString& unit);
// An angle as stored, with the degree sign.
[[nodiscard]] QString Angle(double degrees);
[[nodiscard]] QString OrDash(const QString& text);

// A section's heading.
void Heading(Sheet& s, double x, double y, const QString& text, double width);
// The rule, program, version and page number at the bottom of a page.
void DrawFooter(Sheet& s, const DatasheetFooter& footer, double x, double width);

}  // namespace datasheet
