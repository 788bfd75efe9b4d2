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

PrintOutcome PrintDiagram(QWidget* parent, QAbstractButton* button, const PageRequest& page,
                          const PrintDialogRunner& runDialog)
{
    const ButtonHold hold(button);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(kPrintDocumentTitle);
    printer.setCreator(QStringLiteral("Kandora"));
    if (!runDialog(printer, parent))
        return PrintOutcome::Cancelled;
    return PrintPageOn(printer, page) ? PrintOutcome::Printed : PrintOutcome::Failed;
}
