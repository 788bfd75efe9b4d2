#include "CliArguments.h"

#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

#include <algorithm>
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

CliOptions& CliOptions::Flag(const char* name, std::function<void()> set)
{
    options_.push_back({QString::fromLatin1(name), false, std::move(set), {}});
    return *this;
}

CliOptions& CliOptions::Value(const char* name, Take take)
{
    options_.push_back({QString::fromLatin1(name), true, {}, std::move(take)});
    return *this;
}

CliOptions& CliOptions::Number(const char* name, int low, int high, std::function<void(int)> set)
{
    const QString option = QString::fromLatin1(name);
    return Value(name, [option, low, high, set = std::move(set)](const QString& value) -> std::optional<QString> {
        bool ok = false;
        const int number = value.toInt(&ok);
        if (!ok || number < low || number > high)
            return QStringLiteral("%1 takes a whole number from %2 to %3").arg(option).arg(low).arg(high);
        set(number);
        return std::nullopt;
    });
}

CliOptions& CliOptions::Operands(int most)
{
    mostOperands_ = most;
    return *this;
}

bool CliOptions::Parse(const QStringList& arguments)
{
    operands_.clear();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const auto option = std::find_if(options_.begin(), options_.end(), [&](const Option& o) { return o.name == arg; });
        if (option != options_.end() && !option->takesValue) {
            option->set();
        } else if (option != options_.end()) {
            if (i + 1 >= arguments.size()) {
                Complain(arg + QStringLiteral(" needs a value"));
                return false;
            }
            if (const std::optional<QString> complaint = option->take(arguments[++i])) {
                Complain(*complaint);
                return false;
            }
        } else if (arg.startsWith(QLatin1String("--")) || (mostOperands_ >= 0 && operands_.size() >= mostOperands_)) {
            Complain(QStringLiteral("unexpected argument '%1'").arg(arg));
            return false;
        } else {
            operands_ << arg;
        }
    }
    return true;
}

std::optional<CliDiagramArguments> ParseDiagramArguments(const QStringList& arguments, bool wantsOutput)
{
    CliDiagramArguments a;
    CliOptions options;
    options.Value("--plane", [&a](const QString& value) -> std::optional<QString> {
        bool ok = false;
        a.plane = value.toInt(&ok);
        return ok ? std::nullopt : std::optional<QString>(QStringLiteral("--plane takes a plane index"));
    });
    options.Flag("--thumbnail", [&a] { a.thumbnail = true; })
        .Flag("--fit", [&a] { a.fit = true; })
        .Flag("--ortho", [&a] { a.orthogonal = true; })
        .Flag("--no-ortho", [&a] { a.orthogonal = false; })
        .Flag("--complete", [&a] { a.complete = true; });
    if (wantsOutput) {
        options.Value("--out", [&a](const QString& value) { a.out = value; return std::optional<QString>(); })
            .Number("--size", 1, kMaxSize, [&a](int size) { a.size = size; })
            .Value("--factor", [&a](const QString& value) -> std::optional<QString> {
                bool ok = false;
                a.factor = value.toDouble(&ok);
                if (!ok || !std::isfinite(a.factor) || a.factor <= 0 || a.factor > 64)
                    return QStringLiteral("--factor takes a number above 0, at most 64");
                return std::nullopt;
            })
            .Flag("--absolute", [&a] { a.absolute = true; })
            .Flag("--labels", [&a] { a.labels = true; })
            .Flag("--no-warning", [&a] { a.warning = false; })
            .Flag("--no-antialias", [&a] { a.antialiased = false; });
    }
    if (!options.Parse(arguments))
        return std::nullopt;
    a.file = options.operands().value(0);
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

bool SavePng(const QImage& image, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        Complain(QStringLiteral("cannot write %1").arg(path));
        return false;
    }
    return true;
}
