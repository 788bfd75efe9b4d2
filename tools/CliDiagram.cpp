#include <QImage>

#include <cstdio>

#include "CliArguments.h"
#include "CliCommands.h"
#include "diagram/DrawDiagram.h"
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
    DiagramRequest request;
    request.size = QSize(args->size, args->size);
    request.record = &ies;
    request.planeIndex = args->plane.value_or(ZeroPlaneIndex(ies));
    request.thumbnail = args->thumbnail;
    request.factor = args->factor;
    request.antialiased = args->antialiased;
    request.options = DefaultDiagramOptions();
    request.options.Planes.Fit = args->fit;
    request.options.Planes.Orthogonal = args->orthogonal;
    request.options.Planes.ShowComplete = args->complete;
    request.options.AbsoluteValues = args->absolute;
    request.options.TextLabels = args->labels;
    request.options.ShowWarning = args->warning;

    const DiagramPicture picture = RenderDiagram(request);
    if (picture.image.isNull()) {
        std::fputs("kandora-cli: not enough memory for the picture\n", stderr);
        return 1;
    }
    return SavePng(picture.image, args->out) ? 0 : 1;
}
