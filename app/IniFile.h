#pragma once

#include <QString>

#include "app/IniDocument.h"

// A profile file on disk: read whole, changed in memory, written back in one go.
class IniFile {
public:
    // Larger files are not settings; reading one gives an empty document and
    // refuses to write, so the file is never cut short.
    static constexpr qint64 kMaxBytes = 16 * 1024 * 1024;

    explicit IniFile(QString path);

    // Reads the file; a missing or unreadable file gives an empty document.
    void load();
    // Writes the document through a temporary file in the same folder that is
    // then renamed over the old one, so a crash or a full disk leaves the old
    // file whole. A file or folder without write permission fails.
    [[nodiscard]] bool save() const;

    [[nodiscard]] const QString& path() const { return path_; }
    [[nodiscard]] IniDocument& document() { return document_; }
    [[nodiscard]] const IniDocument& document() const { return document_; }

private:
    QString path_;
    IniDocument document_;
    bool oversized_ = false;
};
