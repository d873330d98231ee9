#include "CDialog.h"
#include "CFormView.h"
#include "CMessageHooks.h"
#include "CResources.h"
#include "TestResources.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testres;

namespace {

std::vector<std::string>* g_order = nullptr;

class FlagDialog : public CDialog {
public:
    FlagDialog() : CDialog(kDialogId) {}
    bool OnInitDialog() override
    {
        if (g_order)
            g_order->push_back("own");
        controlsAtInit = int(CWnd(this).GetChildren().size());
        return true;
    }
    int controlsAtInit = -1;
};


} // namespace

TEST(CDialogTest, MulDivRoundsHalfAwayFromZero)
{
    EXPECT_EQ(CDialogTemplate::MulDiv(5, 3, 2), 8);    // 7.5
    EXPECT_EQ(CDialogTemplate::MulDiv(-5, 3, 2), -8);
    EXPECT_EQ(CDialogTemplate::MulDiv(7, 6, 4), 11);   // 10.5
    EXPECT_EQ(CDialogTemplate::MulDiv(7, 5, 4), 9);    // 8.75
    EXPECT_EQ(CDialogTemplate::MulDiv(1, 1, 0), -1);
}

TEST(CDialogTest, ControlsInTemplateOrderWithIdsTextsAndPixels)
{
    Install();
    FlagDialog dialog;
    Responder responder([](CDialog&) { return IDCANCEL; });
    dialog.DoModal();
    const std::vector<CWnd> children = CWnd(&dialog).GetChildren();
    ASSERT_EQ(children.size(), 9u);
    const std::vector<int> ids{IDOK, IDCANCEL, 1006, IDC_STATIC, 1002, 1010, 1011, 1012, 1013};
    for (std::size_t i = 0; i < ids.size(); ++i)
        EXPECT_EQ(children[i].GetDlgCtrlID(), ids[i]) << i;
    EXPECT_EQ(CWnd(&dialog).GetWindowText(), u"Flagge der Sprache wählen");
    EXPECT_EQ(children[0].GetWindowText(), u"&OK");
    EXPECT_TRUE(qobject_cast<QPushButton*>(children[0].GetWidget())->isDefault());
    EXPECT_EQ(children[2].GetWindowText(), u"List1") << "stored text of a list view";
    EXPECT_EQ(children[2].GetClassName(), u"SysListView32");
    EXPECT_EQ(qobject_cast<QListWidget*>(children[2].GetWidget())->viewMode(), QListView::IconMode);
    EXPECT_EQ(children[3].GetWindowText(), u"Sprache:");
    EXPECT_EQ(children[3].GetClassName(), u"Static");
    EXPECT_EQ(children[4].GetWindowText(), u"Text");
    EXPECT_TRUE(qobject_cast<QGroupBox*>(children[5].GetWidget()));
    EXPECT_EQ(children[5].GetWindowText(), u"Gruppe");
    EXPECT_TRUE(qobject_cast<QCheckBox*>(children[6].GetWidget()));
    EXPECT_FALSE(children[6].IsWindowEnabled()) << "WS_DISABLED";
    EXPECT_EQ(children[7].GetClassName(), u"SysListView32") << "custom class by name";
    EXPECT_EQ(children[7].GetWindowText(), u"List2");
    EXPECT_TRUE(children[8].GetWidget()->isHidden()) << "no WS_VISIBLE";
    // MS Sans Serif 8 makes 4 x 8 dialog units 7 x 13 pixels, halves rounded up.
    EXPECT_EQ(CRect(children[0]->geometry()), CRect(138, 372, 249, 395));
    EXPECT_EQ(dialog.GetDlgItem(1002), children[4]);
    EXPECT_FALSE(dialog.GetDlgItem(4711));
    EXPECT_EQ(dialog.controlsAtInit, 9) << "controls exist before OnInitDialog";
}

TEST(CDialogTest, WindowTextPairCoversEveryKind)
{
    Install();
    FlagDialog dialog;
    Responder responder([](CDialog& d) {
        d.SetDlgItemText(IDOK, u"neu1");
        d.SetDlgItemText(1006, u"neu6");
        d.SetDlgItemText(IDC_STATIC, u"neu9");
        d.SetDlgItemText(1002, u"neu2");
        d.SetDlgItemText(1010, u"neu0");
        CWnd(&d).SetWindowText(u"Titel");
        return IDOK;
    });
    dialog.DoModal();
    EXPECT_EQ(dialog.GetDlgItemText(IDOK), u"neu1");
    EXPECT_EQ(qobject_cast<QPushButton*>(dialog.GetDlgItem(IDOK).GetWidget())->text(), QStringLiteral("neu1"));
    EXPECT_EQ(dialog.GetDlgItemText(1006), u"neu6");
    EXPECT_EQ(qobject_cast<QLabel*>(dialog.GetDlgItem(IDC_STATIC).GetWidget())->text(), QStringLiteral("neu9"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(dialog.GetDlgItem(1002).GetWidget())->text(), QStringLiteral("neu2"));
    EXPECT_EQ(qobject_cast<QGroupBox*>(dialog.GetDlgItem(1010).GetWidget())->title(), QStringLiteral("neu0"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Titel"));
    const HWND handle = CWnd(&dialog).GetSafeHwnd();
    EXPECT_TRUE(CWnd::IsWindow(handle));
    EXPECT_EQ(CWnd::FromHandle(handle).GetWidget(), &dialog);
}

TEST(CDialogTest, InitDialogHooksRunBeforeTheDialogsOwnInitialisation)
{
    Install();
    std::vector<std::string> order;
    g_order = &order;
    int childrenSeen = -1;
    const HHOOK call = CMessageHooks::SetWindowsHookEx(HookType::CallWndProc, [&](const HookEvent& e) {
        if (e.message == HookMessage::Create)
            order.push_back("create");
        if (e.message == HookMessage::InitDialog) {
            order.push_back("call");
            childrenSeen = int(CWnd(e.window).GetChildren().size());
            CWnd(e.window).GetDlgItem(IDOK).SetWindowText(u"&Okay"); // translated in the hook
        }
    });
    const HHOOK ret = CMessageHooks::SetWindowsHookEx(HookType::CallWndProcRet, [&](const HookEvent& e) {
        if (e.message == HookMessage::InitDialog)
            order.push_back("ret");
    });
    {
        FlagDialog dialog;
        Responder responder([&](CDialog& d) {
            order.push_back("shown");
            EXPECT_EQ(d.GetDlgItemText(IDOK), u"&Okay");
            return IDOK;
        });
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
    CMessageHooks::UnhookWindowsHookEx(call);
    CMessageHooks::UnhookWindowsHookEx(ret);
    g_order = nullptr;
    EXPECT_EQ(order, (std::vector<std::string>{"create", "call", "own", "ret", "shown"}));
    EXPECT_EQ(childrenSeen, 9);
}

TEST(CDialogTest, ButtonsEndTheDialogAndRaiseCommands)
{
    Install();
    std::vector<UINT> commands;
    const HHOOK h = CMessageHooks::SetWindowsHookEx(HookType::CallWndProc, [&](const HookEvent& e) {
        if (e.message == HookMessage::Command && e.source == CommandSource::Control)
            commands.push_back(e.id);
    });
    FlagDialog dialog;
    Responder responder([](CDialog& d) {
        qobject_cast<QPushButton*>(d.GetDlgItem(IDCANCEL).GetWidget())->click();
        return d.result();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    CMessageHooks::UnhookWindowsHookEx(h);
    EXPECT_EQ(commands, std::vector<UINT>{UINT(IDCANCEL)});
}

TEST(CDialogTest, MissingTemplateAndPictureControls)
{
    Install();
    CDialog missing(4711);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.Create());

    CDialog about(kPictureDialogId);
    Responder responder([](CDialog&) { return IDOK; });
    about.DoModal();
    const CWnd picture = CWnd(&about).GetChildren().at(0);
    EXPECT_EQ(picture.GetWindowText(), u"#159") << "a picture keeps its template text";
    auto* label = qobject_cast<QLabel*>(picture.GetWidget());
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(label->pixmap().isNull());
    EXPECT_EQ(label->pixmap().width(), 12);
}

TEST(CDialogTest, FormFromTemplateIsAChildWithoutFrame)
{
    Install();
    QWidget parent;
    std::vector<HookMessage> seen;
    const HHOOK h = CMessageHooks::SetWindowsHookEx(HookType::CallWndProc,
                                                    [&](const HookEvent& e) { seen.push_back(e.message); });
    auto* form = new CFormView(kDialogId, &parent);
    ASSERT_TRUE(form->Create());
    CMessageHooks::UnhookWindowsHookEx(h);
    EXPECT_FALSE(form->isWindow());
    EXPECT_TRUE(CWnd(form).IsChildWindow());
    EXPECT_TRUE(CWnd(form).IsDialog());
    EXPECT_EQ(CWnd(form).GetClassName(), u"#32770");
    EXPECT_EQ(CWnd(form).GetChildren().size(), 9u);
    EXPECT_EQ(form->GetDlgItem(1002).GetWindowText(), u"Text");
    EXPECT_EQ(seen, (std::vector<HookMessage>{HookMessage::Create, HookMessage::InitDialog}));
    EXPECT_EQ(CWnd(form).GetMenu(), nullptr);
}
