// Printing of the text tree view: the print dialog, then the whole tree as if
// every row were expanded (or, when the user prints the selection, the
// current row with everything below it), row after row over as many pages as
// it needs, each page with its number at its foot. Text is drawn as text, so
// a printed PDF file can be searched. A tree wider than the page is made
// smaller until it fits.
#include "CMyEditView.h"

#include "CTextRow.h"
#include "TranslatedStrings.h"
#include "resource.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>
#include <utility>

namespace {

// Below the rows of each page: the page number.
constexpr int kFooterHeight = 28;

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
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintPageRange);
    // The selection: the current row with its subtree.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, GetRow(m_currentRow) != nullptr);
    return dialog.exec() == QDialog::Accepted;
}

void CMyEditView::OnFilePrint()
{
    // Screen resolution, so that the rows keep the layout they have in the window.
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
    int first = 0;
    int end = GetRowCount();
    if (printer.printRange() == QPrinter::Selection && GetRow(m_currentRow)) {
        first = m_currentRow;
        end = m_rows[std::size_t(first)]->subtreeEnd;
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    CDc dc(painter);
    // Printed as expanded; the window keeps its own expanded rows.
    std::vector<char> expanded(m_rows.size());
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        expanded[i] = std::exchange(m_rows[i]->expanded, true);

    // Laid out as in the window; the widest row sets the scale.
    CDc window(viewport());
    const int left = RowDocumentX(first < end ? first : 0) - CTextRow::Indent / 2;
    int width = 1;
    for (int i = first; i < end; ++i) {
        if (!m_rows[std::size_t(i)]->IsLaidOut())
            LayOutRow(i, window);
        width = std::max(width, RowDocumentX(i) - left + m_rows[std::size_t(i)]->rowRect.Width());
    }
    const double scale = std::min(1.0, double(printer.width()) / width);
    const int bodyHeight = std::max(1, int((printer.height() - kFooterHeight) / scale));

    // Page breaks: a row never straddles two pages (one taller than a page is cut off).
    std::vector<int> pageStarts;
    for (int i = first, y = bodyHeight; i < end; ++i) {
        const int h = m_rows[std::size_t(i)]->rowRect.Height();
        if (y + h > bodyHeight && (y > 0 || pageStarts.empty())) {
            pageStarts.push_back(i);
            y = 0;
        }
        y += h;
    }
    if (pageStarts.empty())
        pageStarts.push_back(first);
    const int pages = int(pageStarts.size());
    const int from = printer.fromPage() > 0 ? std::min(printer.fromPage(), pages) : 1;
    const int to = printer.toPage() > 0 ? std::clamp(printer.toPage(), from, pages) : pages;

    for (int page = from; page <= to; ++page) {
        if (page > from)
            printer.newPage();
        painter.save();
        painter.scale(scale, scale);
        const int stop = page < pages ? pageStarts[std::size_t(page)] : end;
        for (int i = pageStarts[std::size_t(page - 1)], y = 0; i < stop; ++i) {
            m_rows[std::size_t(i)]->Paint(dc, RowDocumentX(i) - left, y, m_boxDc.get(), m_iconDc.get());
            y += m_rows[std::size_t(i)]->rowRect.Height();
        }
        painter.restore();
        std::u16string number;
        FormatTranslated(number, IDS_PRINT_PAGE, page, pages);
        const CSize size = dc.GetTextExtent(number);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut((printer.width() - size.cx) / 2, printer.height() - size.cy, number);
    }
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_rows[i]->expanded = expanded[i] != 0;
    return painter.end();
}
