// Printing of the text tree view: the print dialog, then one page drawn by
// the view's own drawing operation. The page is the window's visible part at
// screen pixel size, as the window shows it; the tree is not paginated.
#include "CMyEditView.h"

#include "resource.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <utility>

namespace {

PrintDialogResponder& Responder()
{
    static PrintDialogResponder responder;
    return responder;
}

PrinterDefaults& Defaults()
{
    static PrinterDefaults defaults;
    return defaults;
}

} // namespace

void SetPrinterDefaults(PrinterDefaults defaults) { Defaults() = std::move(defaults); }

void ApplyPrinterDefaults(QPrinter& printer)
{
    if (Defaults())
        Defaults()(printer);
}

PrintDialogResponder CMyEditView::SetPrintDialogResponder(PrintDialogResponder responder)
{
    return std::exchange(Responder(), std::move(responder));
}

void CMyEditView::RegisterPrintCommands()
{
    AddCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    AddCommand(ID_FILE_PRINT_DIRECT, [this] { OnFilePrint(); });
    AddCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
}

bool CMyEditView::OnPreparePrinting(QPrinter& printer)
{
    if (Responder())
        return Responder()(printer) == IDOK;
    QPrintDialog dialog(&printer, window());
    // There is one page: nothing to choose but the printer and the copies.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

void CMyEditView::OnFilePrint()
{
    // Screen resolution, so that one pixel of the window is one pixel of the page.
    QPrinter printer(QPrinter::ScreenResolution);
    ApplyPrinterDefaults(printer);
    if (OnPreparePrinting(printer))
        PrintTo(printer);
}

void CMyEditView::OnFilePrintPreview()
{
    QPrinter printer(QPrinter::ScreenResolution);
    ApplyPrinterDefaults(printer);
    QPrintPreviewDialog preview(&printer, window());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintTo(*target); });
    preview.exec();
}

bool CMyEditView::PrintTo(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    CDc dc(painter);
    OnBeginPrinting();
    // The page count is never known in advance, so there is exactly one page.
    OnDraw(dc);
    OnEndPrinting();
    return painter.end();
}
