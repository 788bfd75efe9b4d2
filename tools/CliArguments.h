#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "photometry/IesRecord.h"

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

// Prints "kandora-cli: TEXT" to stderr.
void Complain(const QString& text);

// Parses `arguments`; on a mistake prints it to stderr and returns nothing.
[[nodiscard]] std::optional<CliDiagramArguments> ParseDiagramArguments(const QStringList& arguments,
                                                                       bool wantsOutput);

// Reads the file into `ies`; prints the failure to stderr and returns false.
[[nodiscard]] bool LoadRecord(const QString& file, tIES& ies);
