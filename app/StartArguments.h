#pragma once

#include <QString>
#include <QStringList>

// What `kandora [OPTION...] [FILE|FOLDER]` was asked to do, decided before Qt
// starts, so that --version or a misspelt option needs no display.
struct StartRequest {
    enum class Action { Run, Help, Version, Usage };
    Action action = Action::Run;
    QString path;          // the file or folder to show, absolute; empty for none
    QStringList messages;  // lines for standard error: what was left out and why
};

// `arguments` without the program name. Qt's own options (-platform NAME,
// -style NAME, -session ID, ...) are passed over with their values, for Qt
// to take; any other option is a usage error; "--" ends the options. The
// first remaining argument is a path (relative to the current folder) or a
// file URI whose host is empty, "localhost" or `hostName`; further ones are
// reported and left out. A path that does not exist is reported and still
// given, so the window falls back to the stored folder.
[[nodiscard]] StartRequest ParseStartArguments(const QStringList& arguments, const QString& hostName);

// The usage lines, ending with a line break.
[[nodiscard]] const char* StartUsage();
