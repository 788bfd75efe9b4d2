#include "SheetDrawing.h"

#include <algorithm>
#include <cmath>

#include "diagram/FormatValue.h"
#include "photometry/IesRecord.h"

namespace datasheet {

Sheet::Sheet(Canvas& canvas, const DatasheetPaper& paper)
    : canvas_(canvas), ppp_(paper.pixelsPerPoint > 0 ? paper.pixelsPerPoint : 1),
      width_(paper.size.width() / ppp_), height_(paper.size.height() / ppp_)
{
}

int Sheet::Px(double points) const
{
    return RoundHalfEven(points * ppp_);
}

void Sheet::Font(double size, bool bold, const QColor& color)
{
    canvas_.SetFont(DiagramFont{QStringLiteral("arial"), -std::max(1, Px(size)), bold ? 700 : 400});
    canvas_.SetTextColor(color);
}

void Sheet::Text(double x, double y, const QString& text, double width)
{
    canvas_.TextOut(Px(x), Px(y), Elide(text, width));
}

void Sheet::TextRight(double right, double y, const QString& text, double width)
{
    const QString shown = Elide(text, width);
    canvas_.TextOut(Px(right) - canvas_.TextWidth(shown), Px(y), shown);
}

QString Sheet::Elide(const QString& full, double width)
{
    // No line of a page holds more; measuring a hostile file's 10 MB
    // keyword whole would take seconds.
    constexpr qsizetype kLongest = 400;
    const QString text = full.left(kLongest);
    const int limit = Px(width);
    if (text.size() == full.size() && canvas_.TextWidth(text) <= limit)
        return text;
    qsizetype low = 0, high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (canvas_.TextWidth(text.left(mid) + QStringLiteral("…")) <= limit)
            low = mid;
        else
            high = mid - 1;
    }
    return low == 0 ? QString() : text.left(low).trimmed() + QStringLiteral("…");
}

void Sheet::Rule(double x0, double y, double x1, double weight, const QColor& color)
{
    canvas_.SetPen(color, std::max(1, Px(weight)));
    canvas_.MoveTo(Px(x0), Px(y));
    canvas_.LineTo(Px(x1), Px(y));
}

void Sheet::Fill(double x, double y, double w, double h, const QColor& color)
{
    canvas_.SetPen(color, 1);
    canvas_.SetSolidBrush(color);
    canvas_.Rectangle(Px(x), Px(y), Px(x + w), Px(y + h));
}

void Sheet::Frame(double x, double y, double w, double h)
{
    canvas_.SetPen(kRule, std::max(1, Px(0.5)));
    canvas_.SetHollowBrush();
    canvas_.Rectangle(Px(x), Px(y), Px(x + w), Px(y + h));
}

namespace {

QString Grouped(const QString& digits)
{
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(' ');
        out += digits[i];
    }
    return out;
}

}  // namespace

// `decimals` places, the user's decimal separator, space-grouped thousands.
QString Fixed(double x, int decimals)
{
    if (!std::isfinite(x))
        return kDash;
    QString text = QString::number(x, 'f', decimals);
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        text.remove(0, 1);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    QString result = Grouped(whole);
    if (point >= 0)
        result += LocaleDecimalPoint() + text.mid(point + 1);
    // "-0" is not a value anyone measured.
    if (negative && std::any_of(result.begin(), result.end(), [](QChar c) { return c >= u'1' && c <= u'9'; }))
        result.prepend(QLatin1Char('-'));
    return result;
}

QString Optional(const std::optional<double>& x, int decimals, const QString& unit)
{
    return x && std::isfinite(*x) ? Fixed(*x, decimals) + unit : kDash;
}

// Rounded to `decimals` places, without trailing zeros ("36 W", "36.5 W").
QString Rounded(const std::optional<double>& x, int decimals, const QString& unit)
{
    if (!x || !std::isfinite(*x))
        return kDash;
    const double scale = std::pow(10.0, decimals);
    return FormatValue(std::round(*x * scale) / scale, LocaleDecimalPoint()) + unit;
}

QString Angle(double degrees)
{
    return GeneralDecimal(degrees, LocaleDecimalPoint()) + kDegree;
}

QString OrDash(const QString& text)
{
    return text.isEmpty() ? kDash : text;
}

void Heading(Sheet& s, double x, double y, const QString& text, double width)
{
    s.Font(9.5, true);
    s.Text(x, y, text, width);
}

void DrawFooter(Sheet& s, const DatasheetFooter& footer, double x, double width)
{
    const double y = s.Height() - kMargin - kFooterHeight + 4;
    s.Rule(x, y - 4, x + width, 0.5, kInk);
    s.Font(7.5, false, kGrey);
    s.Text(x, y, footer.program + QLatin1Char(' ') + footer.version, width / 2);
    s.TextRight(x + width, y, QStringLiteral("Page ") + QString::number(footer.pageNumber), width / 2);
}

}  // namespace datasheet
