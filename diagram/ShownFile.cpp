#include "diagram/ShownFile.h"

#include "photometry/Calculations.h"

void ShownFile::ShowFile(const tIES& record, const QString& path)
{
    ClearIes(CurrentIes_);
    CopyIes(record, CurrentIes_);
    CurrentFilePath_ = path;
    hasFile_ = true;
    planeIndex_ = CurrentIes_.HorzCount > 1 ? ZeroPlaneIndex(CurrentIes_) : 0;
    emit fileChanged();
}

void ShownFile::ShowNone()
{
    CurrentFilePath_.clear();
    hasFile_ = false;
    planeIndex_ = 0;
    emit fileChanged();
}

void ShownFile::SetPlaneIndex(int index)
{
    if (index == planeIndex_)
        return;
    planeIndex_ = index;
    emit planeChanged(index);
}
