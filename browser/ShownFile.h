#pragma once

#include <optional>
#include <string>

#include <QObject>
#include <QString>

#include "photometry/IesRecord.h"

// The file the program shows, part of the application's state: a deep copy
// of its record (`CurrentIes`), the entry's texts, its full path
// (`CurrentFilePath`) and the plane pair the degree slider stands on. One
// object, created at start and handed to everyone who reads it (the diagram
// panel, the information panel, printing, the compare window, the render
// window, conversion); the file browser writes it.
class ShownFile : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    [[nodiscard]] const tIES& CurrentIes() const { return CurrentIes_; }
    // The shown entry's name and keyword texts; kept like the record when none is shown.
    [[nodiscard]] const EntryTexts& Texts() const { return texts_; }
    // The shown file's format, and what a EULUMDAT file states of itself
    // (nothing for an IES file); kept like the record when none is shown.
    [[nodiscard]] PhotometricFormat Format() const { return format_; }
    [[nodiscard]] const std::optional<EulumdatStated>& Eulumdat() const { return eulumdat_; }
    // Whether a file's diagram is drawn (the record is kept when none is).
    [[nodiscard]] bool HasFile() const { return hasFile_; }
    // Empty when none.
    [[nodiscard]] const QString& CurrentFilePath() const { return CurrentFilePath_; }
    // The same path in the file system's own bytes, so a name that is not
    // UTF-8 stays exactly that name; empty when none.
    [[nodiscard]] const std::string& FilePathBytes() const { return pathBytes_; }
    [[nodiscard]] int PlaneIndex() const { return planeIndex_; }

    // A file entry of `folder` (the file system's bytes, ending in "/") is
    // shown: its record and texts are copied, the plane goes to its 0-degree plane.
    void ShowFile(const TiesData& entry, const std::string& folder);
    // A folder entry or a new folder: no diagram, no path; the record and texts stay.
    void ShowNone();
    // Forgets the path only; the diagram stays.
    void ClearFilePath();
    void SetPlaneIndex(int index);

signals:
    // A file was shown or the diagram emptied.
    void fileChanged();
    void planeChanged(int index);

private:
    tIES CurrentIes_;
    EntryTexts texts_;
    PhotometricFormat format_ = PhotometricFormat::Ies;
    std::optional<EulumdatStated> eulumdat_;
    QString CurrentFilePath_;
    std::string pathBytes_;
    int planeIndex_ = 0;
    bool hasFile_ = false;
};
