#pragma once

// The message box: a dialog built in code (title, one static text, the
// buttons of its type), so it passes the InitDialog hook like every dialog
// and is translated there. No icon. Buttons, left to right, with their ids:
//   MB_OK          "OK" (IDOK)
//   MB_OKCANCEL    "OK" (IDOK), "Abbrechen" (IDCANCEL)
//   MB_YESNO       "&Ja" (IDYES), "&Nein" (IDNO)
//   MB_YESNOCANCEL "&Ja" (IDYES), "&Nein" (IDNO), "Abbrechen" (IDCANCEL)
// The text is the static control with id 0xFFFF, first in z-order; the title
// is the program's name (CWinApp::GetDisplayName). Escape and the close box answer IDCANCEL when the
// box has a cancel button; MB_YESNO cannot be cancelled; MB_OK answers IDOK.
// An unknown type is shown as MB_OK.
//
// Tests answer boxes through CDialog::SetModalResponder (the box is a
// CMessageBox; GetText and GetType tell which one).

#include "CDialog.h"

#include <string>

class CMessageBox : public CDialog {
    Q_OBJECT
public:
    CMessageBox(const std::u16string& text, const std::u16string& caption, UINT type,
                QWidget* parent = nullptr);

    const std::u16string& GetText() const { return m_text; }
    UINT GetType() const { return m_type; }

    // The box of the application (AfxMessageBox): caption = program name,
    // parent = the active window, else the main window. Returns the id of
    // the button pressed.
    static int Show(const std::u16string& text, UINT type = MB_OK, UINT helpId = 0);

    void OnCancel() override;

protected:
    bool OnInitDialog() override;

private:
    static CDialogTemplate MakeTemplate(const std::u16string& text,
                                        const std::u16string& caption, UINT type);
    std::u16string m_text;
    UINT m_type;
};

// The design's name for CMessageBox::Show.
inline int AfxMessageBox(const std::u16string& text, UINT type = MB_OK, UINT helpId = 0)
{
    return CMessageBox::Show(text, type, helpId);
}
