#pragma once

// The view side of the document/view pair. Not a widget itself: a view class
// derives from its widget base (scroll area, form) and from CView, and the
// document reaches it only through OnUpdate. Commands a view does not handle
// go on to its document.

#include "CCmdTarget.h"
#include "WinTypes.h"

#include <cstdint>

class CDocument;

class CView : public CCmdTarget {
public:
    CView() = default;
    // Leaves its document's list of views.
    ~CView() override;

    CDocument* GetDocument() const { return m_document; }

    // sender: the view that caused the update, or nullptr; hint: what to do.
    virtual void OnUpdate(CView* sender, std::intptr_t hint) = 0;

    // View first, then the document.
    bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

private:
    friend class CDocument;
    CDocument* m_document = nullptr;
};
