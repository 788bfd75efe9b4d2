#pragma once

#include <functional>

#include "diagram/PrintPage.h"

class QAbstractButton;
class QPrinter;
class QWidget;

// Lets the user choose a printer (or a PDF file) and its page; false when cancelled.
using PrintDialogRunner = std::function<bool(QPrinter& printer, QWidget* parent)>;

// The platform's print dialog.
bool RunPrintDialog(QPrinter& printer, QWidget* parent);

enum class PrintOutcome { Cancelled, Printed, Failed };

// Prints `page` on one page of the printer the dialog chose, as the document
// kPrintDocumentTitle. The dialog offers to print to a file
// named after `fileName` (the shown file's name). `button` is held down while
// this runs and popped up again on every way out.
PrintOutcome PrintDiagram(QWidget* parent, QAbstractButton* button, const PageRequest& page, const QString& fileName,
                          const PrintDialogRunner& runDialog = RunPrintDialog);
