#include "CFindReplaceDialog.h"

#include "CWinApp.h"
#include "QtStrings.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QWindow>

namespace {

QLineEdit* Edit(const CDialog& dialog, int id)
{
    return qobject_cast<QLineEdit*>(dialog.GetDlgItem(id).GetWidget());
}

QAbstractButton* Button(const CDialog& dialog, int id)
{
    return qobject_cast<QAbstractButton*>(dialog.GetDlgItem(id).GetWidget());
}

} // namespace

CFindReplaceDialog::CFindReplaceDialog(bool findOnly)
    : CDialog(findOnly ? kFindTemplate : kReplaceTemplate), m_findOnly(findOnly)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    // An owned window: it never keeps the program running on its own.
    setAttribute(Qt::WA_QuitOnClose, false);
    OnClicked(IDOK, [this] { OnFindNext(); });
    OnClicked(kReplace, [this] { OnReplace(); });
    OnClicked(kReplaceAll, [this] { OnReplaceAll(); });
}

CFindReplaceDialog::~CFindReplaceDialog() = default;

UINT CFindReplaceDialog::GetFindReplaceMessage()
{
    static const UINT message = RegisterWindowMessageW(u"commdlg_FindReplace");
    return message;
}

CFindReplaceDialog* CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    return reinterpret_cast<CFindReplaceDialog*>(lParam);
}

bool CFindReplaceDialog::Create(const std::u16string& findWhat, const std::u16string& replaceWith,
                                DWORD flags, QWidget* parentWnd)
{
    m_findWhat = findWhat;
    m_replaceWith = replaceWith;
    m_presetFlags = flags;
    m_owner = parentWnd;
    if (parentWnd)
        setParent(parentWnd, windowFlags() | Qt::Dialog);
    return CDialog::Create();
}

void CFindReplaceDialog::showEvent(QShowEvent* event)
{
    // Without a parent it still stays above the window that owns it.
    QWidget* owner = GetOwner();
    if (!m_owner && owner && windowHandle() && owner->window()->windowHandle())
        windowHandle()->setTransientParent(owner->window()->windowHandle());
    CDialog::showEvent(event);
}

bool CFindReplaceDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (QLineEdit* find = Edit(*this, kFindWhat)) {
        find->setText(ToQString(m_findWhat));
        connect(find, &QLineEdit::textChanged, this, [this] { EnableButtons(); });
        find->setFocus();
    }
    if (QLineEdit* replace = Edit(*this, kReplaceWith))
        replace->setText(ToQString(m_replaceWith));
    if (QAbstractButton* b = Button(*this, kWholeWord))
        b->setChecked((m_presetFlags & FR_WHOLEWORD) != 0);
    if (QAbstractButton* b = Button(*this, kMatchCase))
        b->setChecked((m_presetFlags & FR_MATCHCASE) != 0);
    if (QAbstractButton* b = Button(*this, (m_presetFlags & FR_DOWN) ? kDown : kUp))
        b->setChecked(true);
    EnableButtons();
    return true;
}

void CFindReplaceDialog::EnableButtons()
{
    // Nothing to search for: nothing to press but Abbrechen.
    const bool any = !GetFindString().empty();
    for (const int id : {int(IDOK), kReplace, kReplaceAll}) {
        if (QAbstractButton* b = Button(*this, id))
            b->setEnabled(any);
    }
}

std::u16string CFindReplaceDialog::GetFindString() const
{
    const QLineEdit* find = Edit(*this, kFindWhat);
    return find ? ToU16(find->text()) : m_findWhat;
}

std::u16string CFindReplaceDialog::GetReplaceString() const
{
    const QLineEdit* replace = Edit(*this, kReplaceWith);
    return replace ? ToU16(replace->text()) : m_replaceWith;
}

bool CFindReplaceDialog::SearchDown() const
{
    // The replace dialog has no direction: it keeps the preset one.
    if (const QAbstractButton* up = Button(*this, kUp))
        return !up->isChecked();
    return (m_presetFlags & FR_DOWN) != 0;
}

bool CFindReplaceDialog::MatchCase() const
{
    const QAbstractButton* b = Button(*this, kMatchCase);
    return b ? b->isChecked() : (m_presetFlags & FR_MATCHCASE) != 0;
}

bool CFindReplaceDialog::MatchWholeWord() const
{
    const QAbstractButton* b = Button(*this, kWholeWord);
    return b ? b->isChecked() : (m_presetFlags & FR_WHOLEWORD) != 0;
}

QWidget* CFindReplaceDialog::GetOwner() const
{
    if (m_owner)
        return m_owner;
    CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}

void CFindReplaceDialog::Notify(DWORD what)
{
    m_flags = what | (SearchDown() ? FR_DOWN : 0) | (MatchCase() ? FR_MATCHCASE : 0) |
              (MatchWholeWord() ? FR_WHOLEWORD : 0);
    // The owner may close the dialog while it handles the notification.
    QPointer<CFindReplaceDialog> self(this);
    SendMessageTo(GetOwner(), GetFindReplaceMessage(), 0, reinterpret_cast<LPARAM>(this));
    if (self)
        m_flags &= ~(FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL);
}

void CFindReplaceDialog::OnCancel()
{
    if (m_closing)
        return;
    m_closing = true;
    hide();
    Notify(FR_DIALOGTERM);
    deleteLater();
}
