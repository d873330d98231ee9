#include "CDialog.h"

#include "CFrameWnd.h"
#include "CMessageHooks.h"
#include "CWinApp.h"
#include "QtStrings.h"

#include <QAbstractButton>

namespace {
CDialog::ModalResponder& Responder()
{
    static CDialog::ModalResponder responder;
    return responder;
}
} // namespace

CDialog::CDialog(UINT templateId, QWidget* parent)
    : QDialog(parent), m_template(CDialogTemplate::Load(templateId)), m_templateId(templateId)
{
}

CDialog::CDialog(const CDialogTemplate& tpl, QWidget* parent)
    : QDialog(parent), m_template(std::make_unique<CDialogTemplate>(tpl)), m_templateId(tpl.Get().id)
{
}

CDialog::~CDialog()
{
    if (m_built)
        CMessageHooks::Dispatch(HookMessage::Destroy, this);
}

CDialog::ModalResponder CDialog::SetModalResponder(ModalResponder responder)
{
    return std::exchange(Responder(), std::move(responder));
}

bool CDialog::Build()
{
    if (m_built)
        return true;
    if (!m_template)
        return false;
    m_built = true;
    const res::DialogTemplate& tpl = m_template->Get();
    setWindowTitle(ToQString(tpl.title));
    setFont(m_template->GetFont());
    for (QWidget* control : m_template->CreateControls(this)) {
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            const int id = CWnd(button).GetDlgCtrlID();
            connect(button, &QAbstractButton::clicked, this, [this, id] { OnButton(id); });
        }
    }
    setFixedSize(m_template->GetClientSizePixels().ToQSize());

    CMessageHooks::Dispatch(HookMessage::Create, this);
    CMessageHooks::Dispatch(HookMessage::InitDialog, this, [this] { OnInitDialog(); });
    return true;
}

INT_PTR CDialog::DoModal()
{
    if (!Build())
        return -1;
    if (const ModalResponder responder = Responder())
        return responder(*this);
    return exec();
}

bool CDialog::Create()
{
    if (!Build())
        return false;
    show();
    return true;
}

void CDialog::EndDialog(int result) { done(result); }

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::accept() { OnOK(); }

void CDialog::reject() { OnCancel(); }

void CDialog::OnClicked(int id, std::function<void()> handler) { m_clicked[id] = std::move(handler); }

void CDialog::OnButton(int id)
{
    HookEvent event{HookMessage::Command};
    event.window = this;
    event.id = UINT(id);
    event.source = CommandSource::Control;
    CMessageHooks::Dispatch(event, [this, id] {
        if (auto it = m_clicked.find(id); it != m_clicked.end()) {
            auto handler = it->second;
            handler();
        } else if (id == IDOK) {
            OnOK();
        } else if (id == IDCANCEL) {
            OnCancel();
        } else if (id == IDHELP) {
            // The framework's help command (ID_HELP) on the main window's route.
            constexpr UINT kHelpCommand = 57670;
            if (auto* frame = dynamic_cast<CFrameWnd*>(AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr))
                frame->OnCommand(kHelpCommand, CommandSource::Control);
        }
    });
}

CWnd CDialog::GetDlgItem(int id) const { return CWnd(const_cast<CDialog*>(this)).GetDlgItem(id); }

std::u16string CDialog::GetDlgItemText(int id) const { return GetDlgItem(id).GetWindowText(); }

void CDialog::SetDlgItemText(int id, const std::u16string& text) const
{
    GetDlgItem(id).SetWindowText(text);
}

CRect CDialog::MapDialogRect(const CRect& dialogUnits) const
{
    return m_template ? m_template->MapDialogRect(dialogUnits) : dialogUnits;
}

QWidget* CDialog::CreateControl(res::ControlClass cls, const std::u16string& text, int id,
                                const CRect& pixels, DWORD style, DWORD exStyle)
{
    QWidget* control = CDialogTemplate::CreateControl(cls, text, id, pixels, style, exStyle, this);
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        connect(button, &QAbstractButton::clicked, this, [this, id] { OnButton(id); });
    if (isVisible() && (style & WS_VISIBLE))
        control->show();
    return control;
}
