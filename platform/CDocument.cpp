#include "CDocument.h"

#include "CView.h"

#include <algorithm>

CDocument::~CDocument()
{
    for (CView* view : m_views)
        view->m_document = nullptr;
}

void CDocument::AddView(CView* view)
{
    if (!view || std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    if (view->m_document && view->m_document != this)
        view->m_document->RemoveView(view);
    m_views.push_back(view);
    view->m_document = this;
}

void CDocument::RemoveView(CView* view)
{
    auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    view->m_document = nullptr;
}

void CDocument::UpdateAllViews(CView* sender, std::intptr_t hint)
{
    // A copy: a view may be removed (or added) by its own update.
    const std::vector<CView*> views = m_views;
    for (CView* view : views) {
        if (view == sender)
            continue;
        if (std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->OnUpdate(sender, hint);
    }
}

void CDocument::SetTitle(const std::u16string& title)
{
    m_title = title;
    if (m_titleListener)
        m_titleListener(m_title);
}
