#pragma once

#include <QString>

// Opens a file with the program the desktop associates with it.
bool OpenWithDefault(const QString& path);

// Opens a file in a plain text editor: the first of the usual desktop
// editors found on the PATH, else the desktop's choice for plain text.
bool OpenWithTextEditor(const QString& path);
