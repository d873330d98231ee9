#include "CMessageBox.h"

#include "CWinApp.h"
#include "LOGFONT.h"
#include "QtStrings.h"

#include <QApplication>
#include <QFontMetrics>

#include <algorithm>
#include <vector>

namespace {

constexpr int kTextId = 0xFFFF;
constexpr int kMargin = 7;         // dialog units
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 6;
constexpr int kMaxTextWidthPixels = 420;
constexpr const char16_t* kFontName = u"MS Sans Serif";
constexpr int kFontPoints = 8;

UINT Normalised(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return type & MB_TYPEMASK;
    default:
        return MB_OK;
    }
}

struct Button {
    int id;
    const char16_t* text;
};

std::vector<Button> ButtonsOf(UINT type)
{
    switch (Normalised(type)) {
    case MB_OKCANCEL:
        return {{IDOK, u"OK"}, {IDCANCEL, u"Abbrechen"}};
    case MB_YESNO:
        return {{IDYES, u"&Ja"}, {IDNO, u"&Nein"}};
    case MB_YESNOCANCEL:
        return {{IDYES, u"&Ja"}, {IDNO, u"&Nein"}, {IDCANCEL, u"Abbrechen"}};
    default:
        return {{IDOK, u"OK"}};
    }
}

int CeilDiv(int a, int b) { return b <= 0 ? a : (a + b - 1) / b; }

} // namespace

CDialogTemplate CMessageBox::MakeTemplate(const std::u16string& text, const std::u16string& caption,
                                          UINT type)
{
    // Sized the way the original sizes its boxes: the text wrapped to a
    // readable width, the buttons centred in a row below it.
    CDialogTemplate probe(caption, 0, 0, 0, 0, DS_SETFONT | DS_MODALFRAME, kFontName, kFontPoints);
    const QFont font = probe.GetFont();
    const CSize base = CDialogTemplate::BaseUnitsOf(font);
    const QRect textRect = QFontMetrics(font).boundingRect(
        QRect(0, 0, kMaxTextWidthPixels, 100000), Qt::TextWordWrap | Qt::TextExpandTabs,
        ToQString(text));
    const int textCx = std::max(1, CeilDiv(textRect.width() * 4, base.cx));
    const int textCy = std::max(8, CeilDiv(textRect.height() * 8, base.cy));

    const std::vector<Button> buttons = ButtonsOf(type);
    const int rowCx = int(buttons.size()) * kButtonWidth + (int(buttons.size()) - 1) * kButtonGap;
    const int clientCx = std::max(textCx, rowCx) + 2 * kMargin;
    const int clientCy = kMargin + textCy + kMargin + kButtonHeight + kMargin;

    CDialogTemplate tpl(caption, 0, 0, clientCx, clientCy,
                        DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_CAPTION | WS_SYSMENU, kFontName,
                        kFontPoints);
    tpl.AddControl(res::ControlClass::Static, text, kTextId, kMargin, kMargin, clientCx - 2 * kMargin,
                   textCy, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_NOPREFIX);
    const UINT defIndex = (type & MB_DEFMASK) >> 8;
    int x = (clientCx - rowCx) / 2;
    const int y = clientCy - kMargin - kButtonHeight;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const DWORD kind = (i == (defIndex < buttons.size() ? defIndex : 0)) ? BS_DEFPUSHBUTTON
                                                                              : BS_PUSHBUTTON;
        tpl.AddControl(res::ControlClass::Button, buttons[i].text, buttons[i].id, x, y, kButtonWidth,
                       kButtonHeight, WS_CHILD | WS_VISIBLE | WS_TABSTOP | kind);
        x += kButtonWidth + kButtonGap;
    }
    return tpl;
}

CMessageBox::CMessageBox(const std::u16string& text, const std::u16string& caption, UINT type,
                         QWidget* parent)
    : CDialog(MakeTemplate(text, caption, type), parent), m_text(text), m_type(type)
{
    for (const Button& button : ButtonsOf(type)) {
        const int id = button.id;
        OnClicked(id, [this, id] { EndDialog(id); });
    }
}

bool CMessageBox::OnInitDialog() { return true; }

void CMessageBox::OnCancel()
{
    switch (Normalised(m_type)) {
    case MB_OK:
        EndDialog(IDOK);
        break;
    case MB_YESNO:
        break; // no way out but the two buttons
    default:
        EndDialog(IDCANCEL);
        break;
    }
}

int CMessageBox::Show(const std::u16string& text, UINT type, UINT /*helpId*/)
{
    // Owned by the window the user works in (the find dialog after a search,
    // say), so that closing the box takes the user back there.
    QWidget* parent = QApplication::activeWindow();
    if (!parent) {
        if (CWinApp* app = AfxGetApp())
            parent = app->m_pMainWnd;
    }
    CMessageBox box(text, AfxGetApp() ? AfxGetApp()->GetDisplayName() : AfxGetAppName(), type, parent);
    const INT_PTR result = box.DoModal();
    return result < 0 ? IDCANCEL : int(result);
}
