#include "app/StartArguments.h"

#include <QFileInfo>
#include <QUrl>

#include <array>

namespace {

// Options Qt's application classes take out of the command line themselves.
constexpr std::array kQtOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry", "qwindowtitle",
    "title",    "qwindowicon",        "icon",          "session", "display",        "name",     "style",
    "stylesheet"};
constexpr std::array kQtFlags = {"reverse", "widgetcount", "sync", "nograb", "dograb", "testability"};

// The option's name without its one or two dashes.
QString OptionName(const QString& argument)
{
    return argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
}

template <std::size_t N>
bool Among(const QString& name, const std::array<const char*, N>& names)
{
    for (const char* candidate : names)
        if (name == QLatin1String(candidate))
            return true;
    return false;
}

// A local path from a path or a file URI; empty with a message otherwise.
QString LocalPath(const QString& argument, const QString& hostName, QStringList& messages)
{
    if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(argument);
        const QString host = url.host();
        const bool local = host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
                           (!hostName.isEmpty() && host.compare(hostName, Qt::CaseInsensitive) == 0);
        const QString path = url.path(QUrl::FullyDecoded);
        if (url.isValid() && local && !path.isEmpty())
            return path;
    } else if (!argument.contains(QLatin1String("://"))) {
        return argument;
    }
    messages << QStringLiteral("'%1' is not a local file").arg(argument);
    return {};
}

}  // namespace

const char* StartUsage()
{
    return "usage: kandora [FILE|FOLDER]\n"
           "       kandora --help | --version\n";
}

StartRequest ParseStartArguments(const QStringList& arguments, const QString& hostName)
{
    StartRequest request;
    QStringList operands;
    bool options = true;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!options || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            operands << argument;
            continue;
        }
        const QString name = OptionName(argument);
        if (argument == QLatin1String("--")) {
            options = false;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            request.action = StartRequest::Action::Help;
            return request;
        } else if (argument == QLatin1String("--version")) {
            request.action = StartRequest::Action::Version;
            return request;
        } else if (Among(name, kQtOptionsWithValue)) {
            if (++i >= arguments.size()) {
                request.messages << QStringLiteral("option '%1' needs a value").arg(argument);
                request.action = StartRequest::Action::Usage;
                return request;
            }
        } else if (Among(name, kQtFlags) || name.startsWith(QLatin1String("style=")) ||
                   name.startsWith(QLatin1String("stylesheet=")) || name.startsWith(QLatin1String("qmljsdebugger="))) {
            // Qt's, taken by the application object.
        } else {
            request.messages << QStringLiteral("unknown option '%1'").arg(argument);
            request.action = StartRequest::Action::Usage;
            return request;
        }
    }
    if (operands.isEmpty())
        return request;
    for (qsizetype i = 1; i < operands.size(); ++i)
        request.messages << QStringLiteral("one file or folder at a time: '%1' is left out").arg(operands[i]);
    const QString path = LocalPath(operands.front(), hostName, request.messages);
    if (path.isEmpty())
        return request;
    if (!QFileInfo::exists(path))
        request.messages << QStringLiteral("'%1' does not exist").arg(path);
    request.path = QFileInfo(path).absoluteFilePath();
    return request;
}
