#include "app/IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

IniFile::IniFile(QString path) : path_(std::move(path)) {}

void IniFile::load()
{
    document_ = IniDocument();
    oversized_ = false;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    if (file.size() > kMaxBytes) {
        oversized_ = true;
        return;
    }
    document_ = IniDocument::Parse(file.read(kMaxBytes));
}

bool IniFile::save() const
{
    if (oversized_)
        return false;
    // Renaming over a read-only file would succeed; the user meant it to stay.
    const QFileInfo info(path_);
    if (info.exists() && !info.isWritable())
        return false;
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = document_.serialize();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
