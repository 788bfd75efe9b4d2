#include "CliArguments.h"

#include <QFileInfo>

#include <cmath>
#include <cstdio>

#include "photometry/EntryLoader.h"

namespace {

// Larger pictures than this would only exhaust memory.
constexpr int kMaxSize = 16384;

}  // namespace

void Complain(const QString& text)
{
    std::fprintf(stderr, "kandora-cli: %s\n", text.toLocal8Bit().constData());
}

std::optional<CliDiagramArguments> ParseDiagramArguments(const QStringList& arguments, bool wantsOutput)
{
    CliDiagramArguments a;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size()) {
                Complain(arg + QStringLiteral(" needs a value"));
                return std::nullopt;
            }
            return arguments[++i];
        };
        bool ok = true;
        if (arg == QLatin1String("--out") && wantsOutput) {
            const auto v = value();
            if (!v)
                return std::nullopt;
            a.out = *v;
        } else if (arg == QLatin1String("--size") && wantsOutput) {
            const auto v = value();
            if (!v)
                return std::nullopt;
            a.size = v->toInt(&ok);
            if (!ok || a.size < 1 || a.size > kMaxSize) {
                Complain(QStringLiteral("--size takes a whole number from 1 to %1").arg(kMaxSize));
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--factor") && wantsOutput) {
            const auto v = value();
            if (!v)
                return std::nullopt;
            a.factor = v->toDouble(&ok);
            if (!ok || !std::isfinite(a.factor) || a.factor <= 0 || a.factor > 64) {
                Complain(QStringLiteral("--factor takes a number above 0, at most 64"));
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--plane")) {
            const auto v = value();
            if (!v)
                return std::nullopt;
            a.plane = v->toInt(&ok);
            if (!ok) {
                Complain(QStringLiteral("--plane takes a plane index"));
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--thumbnail")) {
            a.thumbnail = true;
        } else if (arg == QLatin1String("--fit")) {
            a.fit = true;
        } else if (arg == QLatin1String("--ortho")) {
            a.orthogonal = true;
        } else if (arg == QLatin1String("--no-ortho")) {
            a.orthogonal = false;
        } else if (arg == QLatin1String("--complete")) {
            a.complete = true;
        } else if (arg == QLatin1String("--absolute") && wantsOutput) {
            a.absolute = true;
        } else if (arg == QLatin1String("--labels") && wantsOutput) {
            a.labels = true;
        } else if (arg == QLatin1String("--no-warning") && wantsOutput) {
            a.warning = false;
        } else if (arg == QLatin1String("--no-antialias") && wantsOutput) {
            a.antialiased = false;
        } else if (arg.startsWith(QLatin1String("--")) || !a.file.isEmpty()) {
            Complain(QStringLiteral("unexpected argument '%1'").arg(arg));
            return std::nullopt;
        } else {
            a.file = arg;
        }
    }
    if (a.file.isEmpty() || (wantsOutput && a.out.isEmpty())) {
        Complain(wantsOutput ? QStringLiteral("a FILE and --out OUT.png are needed") : QStringLiteral("a FILE is needed"));
        return std::nullopt;
    }
    return a;
}

bool LoadRecord(const QString& file, tIES& ies)
{
    const QFileInfo info(file);
    TiesData entry = UnreadEntry(info.fileName().toStdString());
    const LoadResult result = LoadEntry(entry, info.absolutePath().toStdString() + "/");
    if (result.kind == LoadResult::Kind::Missing) {
        Complain(file + QStringLiteral(": no such file"));
        return false;
    }
    if (result.kind != LoadResult::Kind::Loaded) {
        Complain(file + QStringLiteral(": ") + QString::fromStdString(result.error));
        return false;
    }
    ies = entry.Ies;
    return true;
}
