#pragma once

#include <QObject>
#include <QString>

#include "photometry/IesRecord.h"

// The file the program shows: a deep copy of its record (`CurrentIes`), its
// full path (`CurrentFilePath`) and the plane pair the degree slider stands
// on. One object, created at start and handed to everyone who reads it; the
// file browser writes it.
class ShownFile : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    [[nodiscard]] const tIES& CurrentIes() const { return CurrentIes_; }
    // Whether a file's diagram is drawn (the record is kept when none is).
    [[nodiscard]] bool HasFile() const { return hasFile_; }
    // Empty when none.
    [[nodiscard]] const QString& CurrentFilePath() const { return CurrentFilePath_; }
    [[nodiscard]] int PlaneIndex() const { return planeIndex_; }

    // A file entry is shown: its record is copied, the plane goes to its 0-degree plane.
    void ShowFile(const tIES& record, const QString& path);
    // A folder entry or a new folder: no diagram, no path; the record stays.
    void ShowNone();
    // Forgets the path only; the diagram stays.
    void ClearFilePath() { CurrentFilePath_.clear(); }
    void SetPlaneIndex(int index);

signals:
    // A file was shown or the diagram emptied.
    void fileChanged();
    void planeChanged(int index);

private:
    tIES CurrentIes_;
    QString CurrentFilePath_;
    int planeIndex_ = 0;
    bool hasFile_ = false;
};
