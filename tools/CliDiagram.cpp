#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>

#include <cstdio>

#include "CliArguments.h"
#include "CliCommands.h"
#include "diagram/Goniogram.h"
#include "diagram/QPainterCanvas.h"
#include "diagram/RepaintDiagram.h"
#include "photometry/Calculations.h"

int RunDiagram(const QStringList& arguments)
{
    const auto args = ParseDiagramArguments(arguments, true);
    if (!args) {
        std::fputs("usage: kandora-cli diagram FILE --out OUT.png [--size N] [--plane K] [--thumbnail] [--fit]\n"
                   "       [--ortho|--no-ortho] [--complete] [--absolute] [--labels] [--no-warning]\n"
                   "       [--factor F] [--no-antialias]\n",
                   stderr);
        return 2;
    }
    tIES ies;
    if (!LoadRecord(args->file, ies))
        return 1;
    DiagramOptions options = DefaultDiagramOptions();
    options.Planes.Fit = args->fit;
    options.Planes.Orthogonal = args->orthogonal;
    options.Planes.ShowComplete = args->complete;
    options.AbsoluteValues = args->absolute;
    options.TextLabels = args->labels;
    options.ShowWarning = args->warning;
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        options.WarningIcon = app->style()->standardIcon(QStyle::SP_MessageBoxWarning);

    const int plane = args->plane.value_or(ZeroPlaneIndex(ies));
    QImage picture(args->size, args->size, QImage::Format_RGB32);
    if (picture.isNull()) {
        std::fputs("kandora-cli: not enough memory for the picture\n", stderr);
        return 1;
    }
    {
        QPainter painter(&picture);
        QPainterCanvas canvas(painter, args->antialiased);
        if (args->factor == 1.0) {
            const int flags = kRepaintBackground | kRepaintGoniogram | (args->thumbnail ? kRepaintThumbnail : 0);
            RepaintDiagram(canvas, args->size, args->size, ies, flags, plane, options, nullptr, args->antialiased);
        } else {
            // Printing draws straight onto its page with its own factor.
            canvas.SetPen(options.Colors.ButtonFace, 1);
            canvas.SetSolidBrush(options.Colors.ButtonFace);
            canvas.Rectangle(0, 0, args->size, args->size);
            DrawDiagramBackground(canvas, args->size, args->size, args->thumbnail, options.Colors);
            DrawGoniogram(canvas, args->size, args->size, ies, args->thumbnail ? kGonioThumbnail : kGonioNormal,
                          args->factor, plane, options);
        }
    }
    if (!picture.save(args->out, "PNG")) {
        std::fprintf(stderr, "kandora-cli: cannot write %s\n", args->out.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
