#include "CMyEditView.h"

#include "CInPlaceEdit.h"
#include "CTextRow.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPen>

#include <algorithm>

// Work without the mouse while the view itself has the focus (the in-place
// editor keeps its own keys): the arrows walk the shown rows, Left/Right and
// +/- collapse and expand as in any tree view, Enter or F2 opens the editor.

void CMyEditView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    // Tabbing into an untouched view starts at the first text; a click picks
    // its own row, and a window coming to the front changes nothing.
    const Qt::FocusReason reason = event->reason();
    const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                            reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason;
    if (byKeyboard && m_currentRow < 0 && ShownRowCount() > 0)
        SelectRowByKey(NthShownRow(0));
    viewport()->update();
}

void CMyEditView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void CMyEditView::SelectRowByKey(int row)
{
    if (CTextRow* old = GetRow(m_currentRow))
        old->EndEdit();
    m_currentRow = row;
    WritePositionPane();
    MakeCurrentRowVisible();
    UpdateScrollBars(true);
    RepaintAll();
}

void CMyEditView::keyPressEvent(QKeyEvent* event)
{
    CTextRow* row = GetRow(m_currentRow);
    if (!row) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const int shownIndex = ShownIndexOfRow(m_currentRow);
    const auto toggle = [this](bool expand) {
        SetExpanded(m_currentRow, expand);
        ComputeDocumentHeight();
        UpdateScrollBars(true);
        RepaintAll();
    };
    const bool canOpen = row->HasChildren() && !row->expanded;
    const bool canClose = row->HasChildren() && row->expanded;
    switch (event->key()) {
    case Qt::Key_Up:
        SelectRowByKey(NthShownRow(std::max(0, shownIndex - 1)));
        break;
    case Qt::Key_Down:
        SelectRowByKey(NthShownRow(std::min(ShownRowCount() - 1, shownIndex + 1)));
        break;
    case Qt::Key_Home:
        SelectRowByKey(NthShownRow(0));
        break;
    case Qt::Key_End:
        SelectRowByKey(NthShownRow(ShownRowCount() - 1));
        break;
    case Qt::Key_Plus:
        toggle(true);
        break;
    case Qt::Key_Minus:
        toggle(false);
        break;
    case Qt::Key_Right:
        if (canOpen)
            toggle(true);
        else if (row->HasChildren())
            SelectRowByKey(m_currentRow + 1);
        break;
    case Qt::Key_Left:
        if (canClose)
            toggle(false);
        else if (row->parentRow >= 0)
            SelectRowByKey(row->parentRow);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        OpenEditorInCurrentRow(true, false);
        RepaintAll();
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CMyEditView::PaintFocusFrame(QPainter& painter)
{
    if (!hasFocus() || !IsRowShown(m_currentRow))
        return;
    // Drawn here rather than by the style, which may leave it out when the
    // focus did not come from the keyboard.
    painter.resetTransform();
    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    const int x = RowDocumentX(m_currentRow) - m_hScroll;
    painter.drawRect(x, RowDocumentY(m_currentRow) - m_vScroll,
                     std::max(1, viewport()->width() - x - 2), RowHeightOf(m_currentRow) - 1);
}
