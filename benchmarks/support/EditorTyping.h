#pragma once

// Typing into the editor's tree view as a user does: keys as the keyboard sends
// them, into a text the user may edit freely.

#include "CMyEditView.h"
#include "CTextNode.h"
#include "CTextRow.h"

#include <QApplication>
#include <QKeyEvent>

inline void TypeKey(QWidget* widget, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

// The first row of a text without children and without a size limit.
inline int FirstFreeTextRow(CMyEditView& view)
{
    int row = 0;
    while (row < view.GetRowCount() &&
           (view.GetRow(row)->node->ChildCount() > 0 || !view.GetRow(row)->freeSize))
        ++row;
    return row;
}
