#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

#include "photometry/IesRecord.h"

// Prints "kandora-cli: TEXT" to stderr.
void Complain(const QString& text);

// The command line of one kandora-cli command: flags ("--name"), options
// with a value ("--name VALUE") and operands (the files), every command
// reading its arguments and complaining about them the same way. Anything
// else beginning with "--" is an unexpected argument.
class CliOptions {
public:
    // What an option does with its value: nothing when it took it, else the complaint.
    using Take = std::function<std::optional<QString>(const QString& value)>;

    CliOptions& Flag(const char* name, std::function<void()> set);
    CliOptions& Value(const char* name, Take take);
    // A whole number from `low` to `high`.
    CliOptions& Number(const char* name, int low, int high, std::function<void(int)> set);
    // How many operands the command takes at most (-1: any number).
    CliOptions& Operands(int most);

    // Reads `arguments`; false after a complaint on stderr.
    [[nodiscard]] bool Parse(const QStringList& arguments);
    [[nodiscard]] const QStringList& operands() const { return operands_; }

private:
    struct Option {
        QString name;
        bool takesValue = false;
        std::function<void()> set;
        Take take;
    };
    std::vector<Option> options_;
    int mostOperands_ = 1;
    QStringList operands_;
};

// The options shared by the commands that draw or select planes.
struct CliDiagramArguments {
    QString file;
    QString out;
    int size = 380;
    std::optional<int> plane;  // the 0-degree plane when not given
    double factor = 1.0;
    bool thumbnail = false;
    bool fit = false;
    bool orthogonal = true;
    bool complete = false;
    bool absolute = false;
    bool labels = false;
    bool warning = true;
    bool antialiased = true;
};

// Parses `arguments`; on a mistake prints it to stderr and returns nothing.
[[nodiscard]] std::optional<CliDiagramArguments> ParseDiagramArguments(const QStringList& arguments,
                                                                       bool wantsOutput);

// Reads the file into `ies`; prints the failure to stderr and returns false.
[[nodiscard]] bool LoadRecord(const QString& file, tIES& ies);

// Writes `image` as a PNG to `path` whole or not at all (a temporary file
// beside it, renamed when complete); prints the failure and returns false.
[[nodiscard]] bool SavePng(const class QImage& image, const QString& path);
