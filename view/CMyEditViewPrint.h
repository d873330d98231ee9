#pragma once

// The print dialog of the text tree view, answerable in place of the user
// (tests, headless runs): the responder sets up the printer (for instance a
// PDF file) and returns IDOK, or returns IDCANCEL. An empty responder shows
// the real dialog. The printing itself is CMyEditView's (OnFilePrint,
// OnFilePrintPreview, PrintTo).

#include <functional>

class QPrinter;

using PrintDialogResponder = std::function<int(QPrinter&)>;

// Installs responder and returns the previous one.
PrintDialogResponder SetPrintDialogResponder(PrintDialogResponder responder);
