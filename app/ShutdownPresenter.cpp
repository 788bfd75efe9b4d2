#include "app/ShutdownPresenter.h"

#include <cstdio>

void ShutdownPresenter::showMessage(Icon icon, const QString& caption, const QString& text)
{
    if (!ending_) {
        normal_.showMessage(icon, caption, text);
        return;
    }
    QString line = caption.trimmed() + QStringLiteral(": ") + text;
    line.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(stderr, "kandora: %s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}
