#include "CFormView.h"

#include "CMessageHooks.h"
#include "CResources.h"

CFormView::CFormView(UINT templateId, QWidget* parent) : QWidget(parent), m_templateId(templateId)
{
    if (const res::DialogTemplate* tpl = CResources::FindDialog(templateId))
        m_template = std::make_unique<CDialogTemplate>(*tpl);
}

CFormView::CFormView(const CDialogTemplate& tpl, QWidget* parent)
    : QWidget(parent), m_template(std::make_unique<CDialogTemplate>(tpl)), m_templateId(tpl.Get().id)
{
}

CFormView::~CFormView()
{
    if (m_built) {
        HookEvent event{HookMessage::Destroy};
        event.window = this;
        CMessageHooks::Dispatch(event, {});
    }
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
    HookEvent created{HookMessage::Create};
    created.window = this;
    CMessageHooks::Dispatch(created, {});
    HookEvent init{HookMessage::InitDialog};
    init.window = this;
    CMessageHooks::Dispatch(init, {});
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
