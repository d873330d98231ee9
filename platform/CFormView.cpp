#include "CFormView.h"

#include "CMessageHooks.h"

CFormView::CFormView(UINT templateId, QWidget* parent)
    : QWidget(parent), m_template(CDialogTemplate::Load(templateId)), m_templateId(templateId)
{
}

CFormView::CFormView(const CDialogTemplate& tpl, QWidget* parent)
    : QWidget(parent), m_template(std::make_unique<CDialogTemplate>(tpl)), m_templateId(tpl.Get().id)
{
}

CFormView::~CFormView()
{
    if (m_built)
        CMessageHooks::Dispatch(HookMessage::Destroy, this);
}

bool CFormView::Create()
{
    if (m_built)
        return true;
    if (!m_template)
        return false;
    m_built = true;
    setFont(m_template->GetFont());
    m_template->CreateControls(this);
    CMessageHooks::Dispatch(HookMessage::Create, this);
    CMessageHooks::Dispatch(HookMessage::InitDialog, this);
    return true;
}

CWnd CFormView::GetDlgItem(int id) const { return CWnd(const_cast<CFormView*>(this)).GetDlgItem(id); }

CRect CFormView::MapDialogRect(const CRect& dialogUnits) const
{
    return m_template ? m_template->MapDialogRect(dialogUnits) : dialogUnits;
}

QSize CFormView::sizeHint() const
{
    return m_template ? m_template->GetClientSizePixels().ToQSize() : QWidget::sizeHint();
}
