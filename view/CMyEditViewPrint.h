#pragma once

// What the text tree view's printing needs in its header: the answer to the
// print dialog given in place of the user (CMyEditView::SetPrintDialogResponder).

#include <functional>

class QPrinter;

// Sets up the printer (for instance a PDF file) and returns IDOK, or returns
// IDCANCEL.
using PrintDialogResponder = std::function<int(QPrinter&)>;

// What the printer set-up chose (printer, paper, orientation), given to every
// printer the view prints or previews on before its dialog opens. Set by the
// application, which holds the set-up; empty: the platform's defaults.
using PrinterDefaults = std::function<void(QPrinter&)>;
void SetPrinterDefaults(PrinterDefaults defaults);
void ApplyPrinterDefaults(QPrinter& printer);
