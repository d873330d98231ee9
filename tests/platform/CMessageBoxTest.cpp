#include "CMessageBox.h"
#include "CMessageHooks.h"
#include "TestResources.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

using testres::Responder;

namespace {

std::vector<int> ButtonIds(CDialog& box)
{
    std::vector<int> ids;
    for (const CWnd& child : CWnd(&box).GetChildren()) {
        if (qobject_cast<QPushButton*>(child.GetWidget()))
            ids.push_back(child.GetDlgCtrlID());
    }
    return ids;
}
} // namespace

TEST(CMessageBoxTest, ButtonsByTypeAndTheTextFirst)
{
    testres::Install();
    std::vector<std::vector<int>> seen;
    Responder responder([&](CDialog& box) {
        seen.push_back(ButtonIds(box));
        const CWnd first = CWnd(&box).GetChildren().at(0);
        EXPECT_EQ(first.GetDlgCtrlID(), 0xFFFF);
        EXPECT_EQ(first.GetClassName(), u"Static");
        EXPECT_EQ(first.GetWindowText(), u"a & b") << "no mnemonic processing";
        EXPECT_EQ(CWnd(&box).GetWindowText(), u"Edit") << "the application's name";
        return IDOK;
    });
    for (UINT type : {MB_OK, MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL, 0x7u})
        CMessageBox::Show(u"a & b", type);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0], (std::vector<int>{IDOK}));
    EXPECT_EQ(seen[1], (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(seen[2], (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(seen[3], (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    EXPECT_EQ(seen[4], (std::vector<int>{IDOK})) << "an unknown type shows OK";
}

TEST(CMessageBoxTest, BoxPassesTheDialogHookWhereItCanBeTranslated)
{
    testres::Install();
    const HHOOK hook = CMessageHooks::SetWindowsHookEx(HookType::CallWndProc, [](const HookEvent& e) {
        if (e.message == HookMessage::InitDialog)
            CWnd(e.window).GetDlgItem(IDYES).SetWindowText(u"&Yes");
    });
    std::u16string yes;
    Responder responder([&](CDialog& box) {
        yes = box.GetDlgItemText(IDYES);
        qobject_cast<QPushButton*>(box.GetDlgItem(IDYES).GetWidget())->click();
        return box.result();
    });
    EXPECT_EQ(CMessageBox::Show(u"?", MB_YESNO), IDYES);
    CMessageHooks::UnhookWindowsHookEx(hook);
    EXPECT_EQ(yes, u"&Yes");
}

TEST(CMessageBoxTest, EscapeAnswersByType)
{
    testres::Install();
    const auto escape = [](UINT type) {
        Responder responder([](CDialog& box) {
            box.setResult(42);
            box.reject(); // what Escape and the close box do
            return box.result();
        });
        return CMessageBox::Show(u"x", type);
    };
    EXPECT_EQ(escape(MB_OK), IDOK);
    EXPECT_EQ(escape(MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(escape(MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(escape(MB_YESNO), 42) << "cannot be cancelled: the result stays";
}

TEST(CMessageBoxTest, DefaultButtonAndTextFitsTheBox)
{
    testres::Install();
    Responder responder([](CDialog& box) {
        const auto* no = qobject_cast<QPushButton*>(box.GetDlgItem(IDNO).GetWidget());
        const auto* yes = qobject_cast<QPushButton*>(box.GetDlgItem(IDYES).GetWidget());
        EXPECT_TRUE(no->isDefault());
        EXPECT_FALSE(yes->isDefault());
        const QWidget* text = box.GetDlgItem(0xFFFF).GetWidget();
        EXPECT_LE(text->geometry().right(), box.width());
        EXPECT_LT(text->geometry().bottom(), yes->geometry().top());
        return IDNO;
    });
    CMessageBox::Show(std::u16string(300, u'w') + u" Ende\nzweite Zeile", MB_YESNO | MB_DEFBUTTON2);
}
