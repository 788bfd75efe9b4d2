#include "browser/ShownFile.h"

#include "browser/ShellNamespace.h"
#include "photometry/Calculations.h"

void ShownFile::ShowFile(const TiesData& entry, const std::string& folder)
{
    ClearIes(CurrentIes_);
    CopyIes(entry.Ies, CurrentIes_);
    texts_ = entry.Texts;
    format_ = entry.Format;
    eulumdat_ = entry.Eulumdat;
    pathBytes_ = folder + entry.Texts.fileName;
    CurrentFilePath_ = NameToText(folder) + NameToText(entry.Texts.fileName);
    hasFile_ = true;
    planeIndex_ = CurrentIes_.HorzCount > 1 ? ZeroPlaneIndex(CurrentIes_) : 0;
    emit fileChanged();
}

void ShownFile::ShowNone()
{
    ClearFilePath();
    hasFile_ = false;
    planeIndex_ = 0;
    emit fileChanged();
}

void ShownFile::ClearFilePath()
{
    CurrentFilePath_.clear();
    pathBytes_.clear();
}

void ShownFile::SetPlaneIndex(int index)
{
    if (index == planeIndex_)
        return;
    planeIndex_ = index;
    emit planeChanged(index);
}
