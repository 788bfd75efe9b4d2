// kandora-thumbnailer -s SIZE INPUT OUTPUT: the freedesktop thumbnailer of
// photometric files. File managers run it with no display and no D-Bus, on
// whatever file the user has, so it reads through the program's own limits,
// writes nothing unless the picture is whole and shows something, and never
// asks for a display. Qt's own messages go to standard error.
#include <QByteArray>
#include <QGuiApplication>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "PngEncoding.h"
#include "RuntimeFolder.h"
#include "ThumbnailDrawing.h"
#include "ThumbnailOutput.h"
#include "photometry/EntryLoader.h"

namespace {

constexpr int kMaxSize = 4096;  // 64 MB of pixels at most

int Usage()
{
    std::fputs("usage: kandora-thumbnailer -s SIZE INPUT OUTPUT\n"
               "  INPUT is a path or a file:// URI; OUTPUT receives a SIZE x SIZE PNG\n",
               stderr);
    return 2;
}

// A local path from a path or a file URI ("file:///p" or "file://localhost/p"),
// percent escapes decoded to the file system's bytes; nothing for other URIs.
std::optional<std::string> LocalPath(std::string_view argument)
{
    constexpr std::string_view kScheme = "file://";
    if (argument.substr(0, kScheme.size()) != kScheme) {
        if (argument.find("://") != std::string_view::npos && argument.front() != '/')
            return std::nullopt;
        return std::string(argument);
    }
    std::string_view rest = argument.substr(kScheme.size());
    constexpr std::string_view kLocalhost = "localhost";
    if (rest.substr(0, kLocalhost.size()) == kLocalhost)
        rest.remove_prefix(kLocalhost.size());
    if (rest.empty() || rest.front() != '/')
        return std::nullopt;
    const QByteArray decoded =
        QByteArray::fromPercentEncoding(QByteArray(rest.data(), static_cast<qsizetype>(rest.size())));
    // A zero byte cannot be part of a path.
    if (decoded.contains('\0'))
        return std::nullopt;
    return decoded.toStdString();
}

std::optional<int> ParseSize(std::string_view text)
{
    int size = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
    if (error != std::errc() || end != text.data() + text.size() || size < 1 || size > kMaxSize)
        return std::nullopt;
    return size;
}

}  // namespace

int main(int argc, char* argv[])
{
    // -s SIZE [--] INPUT OUTPUT; names may start with "-" after the size.
    if (argc < 5 || std::strcmp(argv[1], "-s") != 0)
        return Usage();
    int next = 3;
    if (argc == 6 && std::strcmp(argv[next], "--") == 0)
        ++next;
    if (argc - next != 2)
        return Usage();
    const std::optional<int> size = ParseSize(argv[2]);
    if (!size)
        return Usage();
    const std::optional<std::string> input = LocalPath(argv[next]);
    const char* output = argv[next + 1];
    if (!input || input->empty()) {
        std::fprintf(stderr, "kandora-thumbnailer: not a local file: %s\n", argv[next]);
        return 1;
    }

    // Read before any Qt start-up: a file that cannot be read costs nothing
    // more. Its name says which reader reads it, as for every reader of files.
    const std::size_t slash = input->find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    TiesData entry = UnreadEntry(input->substr(nameStart));
    const LoadResult loaded = LoadEntry(entry, input->substr(0, nameStart));
    if (loaded.kind != LoadResult::Kind::Loaded) {
        const std::string error = loaded.kind == LoadResult::Kind::Missing ? std::strerror(ENOENT) : loaded.error;
        std::fprintf(stderr, "kandora-thumbnailer: %s: %s\n", input->c_str(), error.c_str());
        return 1;
    }

    if (!ThumbnailHasCurves(entry.Ies)) {
        std::fprintf(stderr, "kandora-thumbnailer: %s: nothing to draw\n", input->c_str());
        return 1;
    }

    // Only the warning icon needs a Qt application (and with it the platform
    // plugin and a runtime folder); the lines are drawn without one.
    std::optional<PrivateRuntimeFolder> runtime;
    std::optional<QGuiApplication> app;
    if (ThumbnailNeedsIcon(entry.Ies)) {
        // No display, no platform theme (which may talk to D-Bus or load a
        // toolkit), and none of the caller's arguments reach Qt: they are file names.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qunsetenv("QT_QPA_PLATFORMTHEME");
        qunsetenv("QT_STYLE_OVERRIDE");
        runtime.emplace();
        static int qtArgc = 1;
        static char* qtArgv[] = {argv[0], nullptr};
        app.emplace(qtArgc, qtArgv);
    }
    const auto fail = [&runtime](const std::string& message) {
        std::fprintf(stderr, "kandora-thumbnailer: %s\n", message.c_str());
        if (runtime)
            runtime->Remove();
        std::fflush(nullptr);
        std::_Exit(1);
    };

    const QByteArray png = EncodePng(DrawThumbnail(entry.Ies, *size));
    if (png.isEmpty())
        fail(*input + ": the picture cannot be made");
    const std::string fault = WriteInPlace(output, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
    if (!fault.empty())
        fail(std::string("cannot write ") + output + ": " + fault);
    // The picture is in place. Tearing the application down would load the
    // whole font configuration only to free it, a fifth of the run.
    if (runtime)
        runtime->Remove();
    std::fflush(nullptr);
    std::_Exit(0);
}
