#include <QImage>
#include <QSaveFile>

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
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        // A whole number within the slider's range; nothing after a complaint.
        const auto number = [&](int low, int high) -> std::optional<int> {
            bool ok = false;
            const int value = i + 1 < arguments.size() ? arguments[++i].toInt(&ok) : 0;
            if (!ok || value < low || value > high) {
                Complain(QStringLiteral("%1 takes a whole number from %2 to %3").arg(arg).arg(low).arg(high));
                return std::nullopt;
            }
            return value;
        };
        std::optional<int> value = 0;
        if (arg == QLatin1String("--out")) {
            if (i + 1 >= arguments.size()) {
                Complain(QStringLiteral("--out needs a file name"));
                return std::nullopt;
            }
            a.out = arguments[++i];
        } else if (arg == QLatin1String("--plane")) {
            value = number(0, 65535);
            a.plane = value;
        } else if (arg == QLatin1String("--brightness")) {
            value = number(1, 100);
            a.request.Brightness = value.value_or(0);
        } else if (arg == QLatin1String("--zoom")) {
            value = number(1, 10000);
            a.request.Zoom = value.value_or(0);
        } else if (arg == QLatin1String("--radiosity") || arg == QLatin1String("--no-radiosity")) {
            a.request.Radiosity = arg == QLatin1String("--radiosity");
        } else if (arg == QLatin1String("--fit") || arg == QLatin1String("--no-fit")) {
            a.request.Planes.Fit = arg == QLatin1String("--fit");
        } else if (arg == QLatin1String("--ortho") || arg == QLatin1String("--no-ortho")) {
            a.request.Planes.Orthogonal = arg == QLatin1String("--ortho");
        } else if (arg == QLatin1String("--complete")) {
            a.request.Planes.ShowComplete = true;
        } else if (arg.startsWith(QLatin1String("--")) || !a.file.isEmpty()) {
            Complain(QStringLiteral("unexpected argument '%1'").arg(arg));
            return std::nullopt;
        } else {
            a.file = arg;
        }
        if (!value)
            return std::nullopt;
    }
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
    // Written beside the target and renamed, so a failed write leaves no half picture.
    QSaveFile file(args->out);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
        Complain(QStringLiteral("cannot write %1").arg(args->out));
        return 1;
    }
    return 0;
}
