#include "CProgressCount.h"

#include "CTransDoc.h"
#include "TextWalk.h"

CProgressCount::CProgressCount(CTransDoc& doc, QObject* parent) : QObject(parent), m_doc(doc)
{
    connect(&doc, &CTransDoc::Changed, this, &CProgressCount::OnChanged);
    Recount();
}

void CProgressCount::OnChanged(const CDocChange& change)
{
    if (change.Has(CDocChange::Everything)) {
        Recount();
    } else if (change.doneDelta != 0) {
        m_done += change.doneDelta;
        emit CountChanged();
    }
}

void CProgressCount::Recount()
{
    m_done = 0;
    m_total = 0;
    if (const CTextNode* root = m_doc.GetRoot()) {
        memory::ForEachText(*root, [this](const CTextNode& node) {
            ++m_total;
            m_done += memory::OwnTextDone(node) ? 1 : 0;
        });
    }
    emit CountChanged();
}
