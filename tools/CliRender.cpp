#include <QImage>

#include <cstdio>
#include <cstring>
#include <optional>

#include "CliArguments.h"
#include "CliCommands.h"
#include "photometry/Calculations.h"
#include "render/RenderEngine.h"

namespace {

struct CliRenderArguments {
    QString file;
    QString out;
    std::optional<int> plane;  // the 0-degree plane when not given, as after selecting a file
    RenderRequest request;     // the render window's defaults; the main window's fit toggle up
};

std::optional<CliRenderArguments> ParseRenderArguments(const QStringList& arguments)
{
    CliRenderArguments a;
    CliOptions options;
    options.Value("--out", [&a](const QString& value) { a.out = value; return std::optional<QString>(); })
        .Number("--plane", 0, 65535, [&a](int plane) { a.plane = plane; })
        .Number("--brightness", 1, 100, [&a](int brightness) { a.request.Brightness = brightness; })
        .Number("--zoom", 1, 10000, [&a](int zoom) { a.request.Zoom = zoom; })
        .Flag("--radiosity", [&a] { a.request.Radiosity = true; })
        .Flag("--no-radiosity", [&a] { a.request.Radiosity = false; })
        .Flag("--fit", [&a] { a.request.Planes.Fit = true; })
        .Flag("--no-fit", [&a] { a.request.Planes.Fit = false; })
        .Flag("--ortho", [&a] { a.request.Planes.Orthogonal = true; })
        .Flag("--no-ortho", [&a] { a.request.Planes.Orthogonal = false; })
        .Flag("--complete", [&a] { a.request.Planes.ShowComplete = true; });
    if (!options.Parse(arguments))
        return std::nullopt;
    a.file = options.operands().value(0);
    if (a.file.isEmpty() || a.out.isEmpty()) {
        Complain(QStringLiteral("a FILE and --out OUT.png are needed"));
        return std::nullopt;
    }
    return a;
}

}  // namespace

int RunRender(const QStringList& arguments)
{
    auto args = ParseRenderArguments(arguments);
    if (!args) {
        std::fputs("usage: kandora-cli render FILE --out OUT.png [--plane K] [--brightness 1..100]\n"
                   "       [--zoom 1..10000] [--radiosity|--no-radiosity] [--fit|--no-fit]\n"
                   "       [--ortho|--no-ortho] [--complete]\n",
                   stderr);
        return 2;
    }
    tIES ies;
    if (!LoadRecord(args->file, ies))
        return 1;
    args->request.Plane = args->plane.value_or(ZeroPlaneIndex(ies));
    const std::vector<std::uint8_t> pixels = RenderLight(ies, MakeRenderParameters(ies, args->request));

    QImage picture(kRenderSize, kRenderSize, QImage::Format_Grayscale8);
    if (picture.isNull()) {
        Complain(QStringLiteral("not enough memory for the picture"));
        return 1;
    }
    for (int y = 0; y < kRenderSize; ++y)
        std::memcpy(picture.scanLine(y), pixels.data() + static_cast<std::size_t>(y) * kRenderSize, kRenderSize);
    return SavePng(picture, args->out) ? 0 : 1;
}
