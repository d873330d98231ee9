#include "CFontDialog.h"

#include <QFontDialog>

namespace {
CFontDialog::Responder& TheResponder()
{
    static CFontDialog::Responder responder;
    return responder;
}
} // namespace

CFontDialog::CFontDialog(const LOGFONT* initial, DWORD /*flags*/, QWidget* parent) : m_parent(parent)
{
    if (initial) {
        m_initial = *initial;
        m_lf = *initial;
    }
}

CFontDialog::Responder CFontDialog::SetResponder(Responder responder)
{
    return std::exchange(TheResponder(), std::move(responder));
}

INT_PTR CFontDialog::DoModal()
{
    if (const Responder responder = TheResponder())
        return responder(*this);
    QFontDialog dialog(m_initial ? MakeQFont(*m_initial) : QFont(), m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    m_lf = MakeLogFont(dialog.selectedFont());
    return IDOK;
}
