#pragma once

#include <QString>

#include "KandoraVersion.h"

// The program's own texts. "\r" inside a message or hint breaks the line.
namespace AppTexts {

inline QString ApplicationTitle() { return QStringLiteral("Kandora"); }
// The main window's title and the caption of its message boxes (four trailing blanks).
inline QString MainTitle() { return QString::fromLatin1(kKandoraNameVersion) + QStringLiteral("    "); }
inline QString WarningCaption() { return MainTitle() + QStringLiteral(": Warning!"); }
inline QString ErrorCaption() { return QStringLiteral("Error!"); }
inline QString ReadErrorText() { return QStringLiteral("Initialization error\rUnable reading configuration\r"); }

}  // namespace AppTexts
