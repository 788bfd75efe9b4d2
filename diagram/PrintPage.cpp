#include "PrintPage.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "diagram/BoundedText.h"
#include "diagram/QPainterCanvas.h"

PageLayout LayoutPage(int width, int height, int mainFontHeight)
{
    PageLayout layout;
    int a = std::max(0, std::min(width, height));
    int b = RoundHalfEven(static_cast<double>(mainFontHeight) * a / kNominalDiagramSide);
    if (b == 0)
        b = -1;
    const int lines = 5 * std::abs(b);
    if (height < lines + a)
        a = height - lines - 2;
    // A page lower than five text lines leaves no room for the diagram.
    layout.side = std::max(0, a);
    layout.lineHeight = b;
    layout.factor = layout.side > 0 ? static_cast<double>(layout.side) / kNominalDiagramSide : 1.0;
    return layout;
}

namespace {

// Header texts as the file list shows them: UTF-8, else Latin-1, which every byte is.
QString HeaderText(std::string_view bytes)
{
    const auto size = static_cast<qsizetype>(bytes.size());
    QString text = QString::fromUtf8(bytes.data(), size);
    if (text.contains(QChar::ReplacementCharacter) && bytes.find("\xEF\xBF\xBD") == std::string_view::npos)
        return QString::fromLatin1(bytes.data(), size);
    return text;
}

}  // namespace

QStringList PrintHeaderLines(const EntryTexts& texts)
{
    // Field and label of each line, top to bottom.
    static const std::pair<std::string EntryTexts::*, const char*> kLines[] = {
        {&EntryTexts::manufacturer, "Manufacturer: "}, {&EntryTexts::luminaireCatalog, "Luminaire catalog: "},
        {&EntryTexts::luminaire, "Luminaire: "},       {&EntryTexts::lampCatalog, "Lamp catalog: "},
        {&EntryTexts::lamp, "Lamp: "},
    };
    QStringList lines;
    // Only each text's front is decoded: a header line may be megabytes long.
    for (const auto& [field, label] : kLines)
        if (const std::string& text = texts.*field; !text.empty())
            lines << BoundedText(QString::fromLatin1(label) + HeaderText(ShownBytes(text)));
    return lines;
}

PageResult DrawPrintPage(Canvas& canvas, const PageRequest& request)
{
    PageResult result;
    const int width = request.size.width();
    const int height = request.size.height();
    if (width <= 0 || height <= 0)
        return result;
    const DiagramOptions& options = request.options;
    const PageLayout layout = LayoutPage(width, height, options.MainFontHeight);
    result.layout = layout;
    const int a = layout.side;
    const int b = layout.lineHeight;

    const CanvasStateGuard guard(canvas);
    canvas.SetFont(MakeDiagramFont(b));
    canvas.SetTextColor(options.Colors.WindowText);
    // The frame with a printer's default pen and brush.
    canvas.SetClip(QRect(0, 0, width, height));
    canvas.SetPen(Qt::black, 1);
    canvas.SetSolidBrush(Qt::white);
    canvas.Rectangle(0, 0, width, height);
    const int x = std::abs(b / 2);
    int y = a - 1;
    for (const QString& line : request.headerLines) {
        canvas.TextOut(x, y, line);
        y += std::abs(b);
    }
    if (a > 0) {
        canvas.SetClip(QRect(0, 0, a, a));
        DiagramRequest diagram;
        diagram.size = QSize(a, a);
        diagram.record = request.record;
        diagram.planeIndex = request.planeIndex;
        diagram.factor = layout.factor;
        diagram.options = options;
        result.diagram = DrawDiagram(canvas, diagram);
    }
    canvas.SetClip(std::nullopt);
    return result;
}

bool PrintPageOn(QPaintDevice& device, PageRequest request)
{
    request.size = QSize(device.width(), device.height());
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    {
        QPainterCanvas canvas(painter, true);
        DrawPrintPage(canvas, request);
    }
    // Ending the painter ends the document, also when nothing could be drawn.
    return painter.end();
}
