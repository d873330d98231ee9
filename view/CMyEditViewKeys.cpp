#include "CMyEditView.h"

#include "CInPlaceEdit.h"
#include "CTextRow.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPen>

#include <algorithm>

// Work without the mouse while the view itself has the focus: the arrows walk
// the shown rows, Left/Right and +/- collapse and expand as in any tree view,
// Enter or F2 opens the editor. The in-place editor keeps its own keys and
// comes back here with Escape; Alt+Left/Right collapse and expand from there.

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

void CMyEditView::ExpandCurrentRow(bool expand)
{
    CTextRow* row = GetRow(m_currentRow);
    if (!row || !row->HasChildren() || row->expanded == expand)
        return;
    SetExpanded(m_currentRow, expand);
    ComputeDocumentHeight();
    UpdateScrollBars(true);
    RepaintAll();
}

void CMyEditView::LeaveEditor()
{
    // The row stays current; its editor lets go of the piece, and the view's
    // own keys (arrows, +/-, Tab to the next pane) take over.
    if (CTextRow* row = GetRow(m_currentRow))
        row->EndEdit();
    setFocus(Qt::OtherFocusReason);
    RepaintAll();
}

void CMyEditView::keyPressEvent(QKeyEvent* event)
{
    CTextRow* row = GetRow(m_currentRow);
    const int key = event->key();
    const bool moves = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Home ||
                       key == Qt::Key_End || key == Qt::Key_Space;
    if (!row && moves && ShownRowCount() > 0) {
        // Nothing current yet (the focus came by a click or a window switch):
        // any moving key starts at the first text.
        SelectRowByKey(NthShownRow(0));
        event->accept();
        return;
    }
    if (!row) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const int shownIndex = ShownIndexOfRow(m_currentRow);
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
        ExpandCurrentRow(true);
        break;
    case Qt::Key_Minus:
        ExpandCurrentRow(false);
        break;
    case Qt::Key_Right:
        if (canOpen)
            ExpandCurrentRow(true);
        else if (row->HasChildren())
            SelectRowByKey(m_currentRow + 1);
        break;
    case Qt::Key_Left:
        if (canClose)
            ExpandCurrentRow(false);
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

bool CMyEditView::HasKeyboard() const
{
    return isAncestorOf(QApplication::focusWidget());
}

void CMyEditView::PaintFocusFrame(QPainter& painter)
{
    if (!HasKeyboard())
        return;
    // Around the whole window, so that it says where the keys go and leaves
    // the blue frame of the current row to say which text is chosen. Drawn
    // here rather than by the style, which may leave it out when the focus
    // did not come from the keyboard.
    painter.resetTransform();
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(viewport()->rect().adjusted(1, 1, -2, -2));
}
