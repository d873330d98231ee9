#include "CView.h"

#include "CDocument.h"

CView::~CView()
{
    if (m_document)
        m_document->RemoveView(this);
}

bool CView::OnCmdMsg(UINT id, int code, CCmdUI* ui)
{
    if (m_document && m_document->IsBusy())
        return m_document->OnCmdMsg(id, code, ui);
    if (HandleOwnCommand(id, code, ui))
        return true;
    return m_document && m_document->OnCmdMsg(id, code, ui);
}
