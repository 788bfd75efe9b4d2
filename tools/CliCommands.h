#pragma once

#include <QStringList>

// Each command takes its own arguments (without the command name) and
// returns the process exit status: 0 done, 1 some input failed, 2 bad usage.
int RunDump(const QStringList& arguments);
int RunCalc(const QStringList& arguments);
int RunDiagram(const QStringList& arguments);
int RunConvert(const QStringList& arguments);
int RunRender(const QStringList& arguments);
int RunList(const QStringList& arguments);
int RunPrint(const QStringList& arguments);
int RunDatasheet(const QStringList& arguments);
int RunSummary(const QStringList& arguments);
