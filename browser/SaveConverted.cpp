#include "FileBrowser.h"

#include "browser/ShellNamespace.h"
#include "photometry/EntryLoader.h"
#include "photometry/FormatSave.h"

namespace {

// Fills the format's "%s" in order; a name holding "%s" itself stays as it is.
QString FillNames(const QString& format, const QString& oldName, const QString& newName)
{
    QString text;
    qsizetype from = 0;
    int filled = 0;
    for (qsizetype at = format.indexOf(QLatin1String("%s")); at >= 0 && filled < 2;
         at = format.indexOf(QLatin1String("%s"), from)) {
        text += format.mid(from, at - from) + (filled++ == 0 ? oldName : newName);
        from = at + 2;
    }
    return text + format.mid(from);
}

}  // namespace

void FileBrowser::SaveAsTypeC()
{
    // The same test as the menu item's: type B converts, anything else rotates.
    if (ChooseConversion(shown_.CurrentIes()) == ConversionKind::TypeC)
        WriteConverted(ConversionKind::TypeC, kConvertCaption, kConvertFormat);
    else
        WriteConverted(ConversionKind::Rotation, kRotateCaption, kRotateFormat);
}

void FileBrowser::WriteConverted(ConversionKind kind, const QString& caption, const QString& format)
{
    const int row = list_->FirstSelectedRow();
    if (row < list_->FolderCount() || !shown_.HasFile() || ChooseConversion(shown_.CurrentIes()) != kind)
        return;
    const std::string folder = ShownFolderPath();
    const ConversionResult result = SaveConversion(shown_.CurrentIes(), shown_.Texts(), folder);
    switch (result.fault) {
    case ConversionFault::None:
        break;
    case ConversionFault::WriteFailed:
        // As the general handler would show it: the system's text, the list untouched.
        host_.ShowMessage(NameToText(result.message), kWindowCaption, QMessageBox::Critical, QString());
        return;
    default:
        host_.ShowMessage(NameToText(result.message), kConvertCaption, QMessageBox::Critical, QString());
        return;
    }

    ListNewFile(result.newName, result.newPath, folder);
    host_.ShowMessage(FillNames(format, NameToText(result.oldName), NameToText(result.newName)), caption,
                      QMessageBox::Information, QString());
    list_->SortCatalog();
}

void FileBrowser::ListNewFile(const std::string& newName, const std::string& newPath, const std::string& folder)
{
    ListChangeSuspension suspended(*list_);
    CatalogModel& model = list_->Model();
    if (const int old = model.catalog().FindFileEntry(newName); old >= 0)
        model.RemoveFileEntry(old);
    if (std::optional<TiesData> entry = NewEntry(newPath)) {
        if (NeedsKeywords(options_.caption))
            (void)LoadEntry(*entry, folder);
        else
            entry->Changed = true;  // the file carries our change marker; its icon says so unread
        model.AppendFileEntry(std::move(*entry), options_.caption);
        list_->FitCaptionColumn(false);
    }
}

void FileBrowser::SaveInFormat(PhotometricFormat target)
{
    const int row = list_->FirstSelectedRow();
    if (row < list_->FolderCount() || !shown_.HasFile() || shown_.Format() == target)
        return;
    const std::string folder = ShownFolderPath();
    const bool toEulumdat = target == PhotometricFormat::Eulumdat;
    const QString& caption = toEulumdat ? kSaveEulumdatCaption : kSaveIesCaption;
    const FormatSaveResult result = ::SaveInFormat(folder, shown_.Texts().fileName, target, folder);
    if (!result.Written()) {
        // A failed write shows the system's text as the general handler would.
        const bool system = result.fault == ConversionFault::WriteFailed;
        host_.ShowMessage(NameToText(result.message), system ? kWindowCaption : caption, QMessageBox::Critical,
                          QString());
        return;
    }
    ListNewFile(result.newName, result.newPath, folder);
    host_.ShowMessage(FillNames(toEulumdat ? kSaveEulumdatFormat : kSaveIesFormat, NameToText(result.oldName),
                                NameToText(result.newName)),
                      caption, QMessageBox::Information, QString());
    list_->SortCatalog();
}
