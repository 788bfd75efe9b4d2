#include "DesktopOpen.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

bool OpenWithDefault(const QString& path)
{
    return !path.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool OpenWithTextEditor(const QString& path)
{
    if (path.isEmpty())
        return false;
    static const char* const editors[] = {"gnome-text-editor", "gedit", "mousepad", "kate", "kwrite",
                                          "xed", "pluma", "featherpad", "leafpad"};
    for (const char* name : editors) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty())
            return QProcess::startDetached(program, {path});
    }
    return OpenWithDefault(path);
}
