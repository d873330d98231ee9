#pragma once

// A dialog built from a template. DoModal/Create make the controls in template
// order, raise the Create and InitDialog hooks (the run-time layer translates
// the dialog there), then call OnInitDialog, then show it.
//
// Buttons: a click on any button raises the Command hook (source Control) and
// calls the handler registered with OnClicked; without one, IDOK runs OnOK
// and IDCANCEL runs OnCancel, IDHELP sends the help command to the main
// window (the user guide opens over the dialog). Escape and the close box run
// OnCancel. OnOK and OnCancel end the dialog with IDOK / IDCANCEL.
//
// Test seam: with a modal responder set, DoModal does everything up to and
// including OnInitDialog and then, instead of showing the dialog, calls the
// responder, whose result DoModal returns (the responder may work the controls
// and call OnOK/EndDialog; its return value is the result either way).

#include "CDialogTemplate.h"
#include "CWnd.h"
#include "WinTypes.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>

class CDialog : public QDialog {
    Q_OBJECT
public:
    // A template of the installed resources; an unknown id makes DoModal
    // return -1 and Create return false.
    explicit CDialog(UINT templateId, QWidget* parent = nullptr);
    explicit CDialog(const CDialogTemplate& tpl, QWidget* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally: IDOK, IDCANCEL or the EndDialog value; -1 when
    // the template is missing.
    virtual INT_PTR DoModal();
    // Modeless: builds, initialises and shows; false when the template is missing.
    bool Create();
    void EndDialog(int result);

    UINT GetTemplateId() const { return m_templateId; }
    const CDialogTemplate* GetTemplate() const { return m_template.get(); }

    CWnd GetDlgItem(int id) const;
    std::u16string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::u16string& text) const;
    // MapDialogRect with this dialog's font.
    CRect MapDialogRect(const CRect& dialogUnits) const;
    // A control made in code, pixel rectangle (see CDialogTemplate).
    QWidget* CreateControl(res::ControlClass cls, const std::u16string& text, int id,
                           const CRect& pixels, DWORD style, DWORD exStyle = 0);

    using ModalResponder = std::function<int(CDialog&)>;
    // Sets the responder for every DoModal (empty: show for real); returns the previous.
    static ModalResponder SetModalResponder(ModalResponder responder);

    virtual void OnOK();
    virtual void OnCancel();
    // Qt's ways to end a dialog lead to OnOK / OnCancel.
    void reject() override;
    void accept() override;

protected:
    // Called once the controls exist and the hooks have run. The result is
    // kept for the original's sake and not used.
    virtual bool OnInitDialog() { return true; }
    // The BN_CLICKED entry of the message map.
    void OnClicked(int id, std::function<void()> handler);

private:
    bool Build();
    void OnButton(int id);

    std::unique_ptr<CDialogTemplate> m_template;
    UINT m_templateId = 0;
    bool m_built = false;
    std::map<int, std::function<void()>> m_clicked;
};
