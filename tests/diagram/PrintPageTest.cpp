#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

#include "diagram/PrintPage.h"
#include "diagram/RecordingCanvas.h"

namespace {

using Kind = CanvasOp::Kind;

tIES Record(double lumens = 1000)
{
    tIES ies;
    ies.PhotometricType = 1;
    ies.LampLumens = lumens;
    ies.Multiplier = 1;
    ies.LampCount = 1;
    ies.InputWatts = 36;
    ies.HorzAngles = {0, 90, 180, 270};
    ies.VertAngles = {0, 45, 90};
    ies.HorzCount = 4;
    ies.VertCount = 3;
    ies.Candela.assign(4, tArrEx{300, 200, 20});
    return ies;
}

// Texts of a read entry: slot 0 unused, the file name, then TEST, MANUFAC,
// LUMINAIRE, LUMCAT, LAMP, LAMPCAT.
EntryTexts Texts(const char* manufacturer)
{
    return {"a.ies", "T-1", manufacturer, "Downlight", "DL-20", "LED 20 W", "L-20"};
}

PageResult Draw(RecordingCanvas& canvas, QSize size, const tIES* ies, const QStringList& lines = {})
{
    PageRequest request;
    request.size = size;
    request.record = ies;
    request.headerLines = lines;
    return DrawPrintPage(canvas, request);
}

}  // namespace

TEST(PrintPageTest, PortraitPageScalesTheDiagramToItsWidth)
{
    const tIES ies = Record(-1);  // absolute photometry
    RecordingCanvas canvas;
    const QStringList lines = PrintHeaderLines(Texts("Acme"));
    const PageResult result = Draw(canvas, QSize(4800, 6600), &ies, lines);
    EXPECT_EQ(result.layout.side, 4800);
    EXPECT_EQ(result.layout.lineHeight, -139);
    EXPECT_NEAR(result.layout.factor, 12.63, 0.005);
    ASSERT_TRUE(result.diagram.goniogram.drawn);
    EXPECT_EQ(result.diagram.margin, 10);

    // The frame: clipped to the page, the printer's default pen and brush.
    const auto clips = canvas.OpsOf(Kind::Clip);
    ASSERT_EQ(clips.size(), 3u);
    EXPECT_EQ(clips[0].box, QRect(0, 0, 4800, 6600));
    const CanvasOp& frame = canvas.Ops()[1];
    ASSERT_EQ(frame.kind, Kind::Rectangle);
    EXPECT_EQ(frame.box, QRect(QPoint(0, 0), QPoint(4800, 6600)));
    EXPECT_EQ(frame.state.pen, (CanvasPen{Qt::black, 1}));
    EXPECT_EQ(frame.state.brush.color, QColor(Qt::white));

    // The header lines start on the square's last row, one line height apart.
    const auto texts = canvas.OpsOf(Kind::Text);
    ASSERT_GE(texts.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(texts[i].text, lines[i]);
        EXPECT_EQ(texts[i].point, QPoint(69, 4799 + 139 * i));
        EXPECT_EQ(texts[i].state.font.height, -139);
    }
    // The diagram inside its square with text labels and a pen of Round(2 x factor).
    EXPECT_EQ(clips[1].box, QRect(0, 0, 4800, 4800));
    EXPECT_TRUE(clips[2].box.isNull());
    EXPECT_NE(canvas.FindText(QStringLiteral("Type C")), nullptr);
    EXPECT_NE(canvas.FindText(QStringLiteral("Max=300 cd")), nullptr);  // in candela, as on the screen
    int mainPen = 0;
    for (const CanvasOp& op : canvas.OpsOf(Kind::LineTo))
        if (op.state.pen.color == QColor(255, 0, 0))
            mainPen = op.state.pen.width;
    EXPECT_EQ(mainPen, 25);
}

TEST(PrintPageTest, LandscapePageLeavesRoomForFiveLines)
{
    const tIES ies = Record();
    RecordingCanvas canvas;
    const PageResult result = Draw(canvas, QSize(6600, 4800), &ies);
    EXPECT_EQ(result.layout.side, 4103);
    EXPECT_EQ(result.layout.lineHeight, -139);
    EXPECT_DOUBLE_EQ(result.layout.factor, 4103.0 / 380);
    EXPECT_EQ(canvas.OpsOf(Kind::Clip)[1].box, QRect(0, 0, 4103, 4103));
}

TEST(PrintPageTest, HeaderLinesSkipEmptyTextsAndTheTestKeyword)
{
    EXPECT_EQ(PrintHeaderLines(Texts("")),
              (QStringList{QStringLiteral("Luminaire catalog: DL-20"), QStringLiteral("Luminaire: Downlight"),
                           QStringLiteral("Lamp catalog: L-20"), QStringLiteral("Lamp: LED 20 W")}));
    EXPECT_EQ(PrintHeaderLines(Texts("Acme")).first(), QStringLiteral("Manufacturer: Acme"));
    // An unread entry has only its file name.
    EXPECT_TRUE(PrintHeaderLines(EntryTexts{.fileName = "a.ies"}).isEmpty());
    // Bytes that are not UTF-8 read as Latin-1, as the list shows them.
    EXPECT_EQ(PrintHeaderLines(EntryTexts{.lamp = "M\xFCller"}).first(), QStringLiteral("Lamp: M\u00FCller"));
}

TEST(PrintPageTest, EmptyAndTinyPagesDrawSafely)
{
    const tIES ies = Record();
    RecordingCanvas canvas;
    Draw(canvas, QSize(0, 0), &ies);
    Draw(canvas, QSize(-5, 100), &ies);
    EXPECT_TRUE(canvas.Ops().empty());

    for (const QSize size : {QSize(1, 1), QSize(10, 10), QSize(700, 5), QSize(5, 700), QSize(300, 40), QSize(1000, 6)}) {
        canvas.Clear();
        const PageResult result = Draw(canvas, size, &ies, PrintHeaderLines(Texts("Acme")));
        EXPECT_GE(result.layout.side, 0);
        EXPECT_LT(result.layout.lineHeight, 0);
        EXPECT_TRUE(std::isfinite(result.layout.factor) && result.layout.factor > 0);
        // The frame is drawn, the clip always lifted at the end.
        ASSERT_FALSE(canvas.OpsOf(Kind::Clip).empty());
        EXPECT_TRUE(canvas.OpsOf(Kind::Clip).back().box.isNull());
    }
    // Five lines of one pixel do not fit on a 6 pixel high page: no square at all.
    EXPECT_EQ(LayoutPage(1000, 6, -11).side, 0);
    EXPECT_EQ(LayoutPage(1000, 6, -11).factor, 1.0);

    QImage pixel(1, 1, QImage::Format_RGB32);
    PageRequest request;
    request.record = &ies;
    EXPECT_TRUE(PrintPageOn(pixel, request));
}

TEST(PrintPageTest, PaintedPageKeepsTheDiagramInsideItsSquare)
{
    const tIES ies = Record();
    QImage image(400, 600, QImage::Format_RGB32);
    image.fill(Qt::green);
    PageRequest request;
    request.record = &ies;
    ASSERT_TRUE(PrintPageOn(image, request));  // sized by the device
    EXPECT_EQ(image.pixelColor(0, 500), QColor(Qt::black));     // the frame
    EXPECT_EQ(image.pixelColor(200, 500), QColor(Qt::white));   // below the square
    EXPECT_EQ(image.pixelColor(385, 390), DiagramOptions().Colors.ButtonFace.toRgb());
    // The square's grid ends at its edge; the value under the lowest circle is cut there.
    EXPECT_NE(image.pixelColor(200, 399), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(200, 400), QColor(Qt::white));
}
