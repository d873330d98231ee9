#pragma once

// What the text tree view's printing needs in its header: the answer to the
// print dialog given in place of the user (CMyEditView::SetPrintDialogResponder).

#include <functional>

class QPrinter;

// Sets up the printer (for instance a PDF file) and returns IDOK, or returns
// IDCANCEL.
using PrintDialogResponder = std::function<int(QPrinter&)>;
