#pragma once

#include <QString>

// The program's own texts. "\r" inside a message or hint breaks the line.
namespace AppTexts {

inline QString ApplicationTitle() { return QStringLiteral("Kandora"); }
// The main window's title and the caption of its message boxes (four trailing blanks).
inline QString MainTitle() { return QStringLiteral("Kandora v2.9    "); }
inline QString WarningCaption() { return MainTitle() + QStringLiteral(": Warning!"); }
inline QString ErrorCaption() { return QStringLiteral("Error!"); }
inline QString ReadErrorText() { return QStringLiteral("Initialization error\rUnable reading configuration\r"); }

}  // namespace AppTexts
