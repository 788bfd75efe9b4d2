#include "app/PrintDiagram.h"

#include <QAbstractButton>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// Pops the button up again however printing ends.
class ButtonHold {
public:
    explicit ButtonHold(QAbstractButton* button) : button_(button)
    {
        if (button_)
            button_->setDown(true);
    }
    ~ButtonHold()
    {
        if (button_)
            button_->setDown(false);
    }
    ButtonHold(const ButtonHold&) = delete;
    ButtonHold& operator=(const ButtonHold&) = delete;

private:
    QPointer<QAbstractButton> button_;
};

}  // namespace

bool RunPrintDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

PrintOutcome PrintDiagram(QWidget* parent, QAbstractButton* button, const PageRequest& page, const QString& fileName,
                          const PrintDialogRunner& runDialog)
{
    const ButtonHold hold(button);
    QPrinter printer(QPrinter::HighResolution);
    printer.setCreator(QStringLiteral("Kandora"));
    // The dialog names its file after the document, cutting what follows the
    // last dot (the version's): while it runs, the document is the shown file.
    printer.setDocName(fileName.isEmpty() ? kPrintDocumentTitle : fileName);
    const bool chosen = runDialog(printer, parent);
    printer.setDocName(kPrintDocumentTitle);
    if (!chosen)
        return PrintOutcome::Cancelled;
    return PrintPageOn(printer, page) ? PrintOutcome::Printed : PrintOutcome::Failed;
}
