// Dialogs matched by their title and control texts against "Dialoge".

#include "TranslationTest.h"

#include "CMessageBox.h"
#include "Golden.h"
#include "TreeText.h"
#include "Utf8.h"
#include "DialogTranslation.h"
#include "UiLanguage.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <filesystem>

namespace {

class DialogTranslationTest : public TranslationTest {
protected:
    const CTextNode* Dialogs() { return FindTopNode(GetCurrentTranslation(), u"Dialoge"); }
    static std::u16string Text(QWidget* w) { return CWnd(w).GetWindowText(); }
};

// Each file of tests/golden/dialogs holds a language's tree, a "----" line and
// the live dialog: its title with its controls below it (kind 23 a button, 25 a
// control showing no text of its own, any other a label; both as TreeText.h
// reads them); beside it whether an entry was found and the texts the dialog
// shows then, and after a second pass.
TEST_F(DialogTranslationTest, GoldenDialogs)
{
    const auto inputs = golden::Inputs(GLOSSMARK_GOLDEN_DIR "/dialogs", ".dialog");
    ASSERT_GE(inputs.size(), 5u);
    for (const std::filesystem::path& input : inputs) {
        const auto live = test_tree::ReadTree(InstallGolden(input));
        QDialog shown;
        CWnd(&shown).SetWindowText(live->GetChild(0)->originalText);
        std::vector<QWidget*> controls;
        for (std::int32_t i = 0; i < live->GetChild(0)->ChildCount(); ++i) {
            const CTextNode& control = *live->GetChild(0)->GetChild(i);
            controls.push_back(control.kindCode == 23 ? new QPushButton(&shown)
                               : control.kindCode == 25 ? new QWidget(&shown)
                                                        : new QLabel(&shown));
            CWnd(controls.back()).SetWindowText(control.originalText);
        }
        const auto pass = [&] {
            std::string out = TranslateDialogCore(CWnd(&shown), Dialogs(), kPlainDialog) ? "matched: " : "not matched: ";
            out += utf8::FromUtf16(Text(&shown)) + "\n";
            for (QWidget* control : controls)
                out += "  " + utf8::FromUtf16(Text(control)) + "\n";
            return out;
        };
        const std::string once = pass();
        const std::string twice = pass();
        golden::Expect(input, once + (twice == once ? "again: the same\n" : "again: " + twice));
        UnloadTranslation();
    }
}

TEST_F(DialogTranslationTest, PageTranslatesItsContainersTabCaptions)
{
    auto language = MakeLanguage();
    CTextNode* page = Add(Top(*language, u"Dialoge"), u"Seite", u"Page", 1);
    Add(page, u"Knopf", u"Button", 23);
    Add(Top(*language, u"Dialoge"), u"Allgemein", u"General", 1);
    Add(Top(*language, u"Stringtables"), u"Eigenschaften", u"Properties");
    Install(*language);
    QTabWidget sheet;
    sheet.setWindowTitle(u"Eigenschaften"_qs);
    auto* first = new QWidget;
    new QPushButton(u"Knopf"_qs, first);
    CWnd(first).SetWindowText(u"Seite");
    sheet.addTab(first, u"Seite"_qs);
    sheet.addTab(new QWidget, u"Allgemein"_qs);
    sheet.addTab(new QWidget, u"Unbekannt"_qs);
    ASSERT_TRUE(TranslateDialogCore(CWnd(first), Dialogs(), kPage));
    EXPECT_EQ(sheet.windowTitle(), u"Properties"_qs);
    EXPECT_EQ(sheet.tabText(0), u"Page"_qs);
    EXPECT_EQ(sheet.tabText(1), u"General"_qs);
    EXPECT_EQ(sheet.tabText(2), u"Unbekannt"_qs);
}

// A dialog owned by a button on a page is an ordinary dialog: it never
// rewrites its owner's sheet title and tabs.
TEST_F(DialogTranslationTest, OnlyTheDirectParentMakesADialogAPage)
{
    auto language = MakeLanguage();
    CTextNode* box = Add(Top(*language, u"Dialoge"), u"Glossmark Editor", u"Glossmark", 1);
    Add(box, u"Frage", u"Question", 21);
    Add(box, u"&Ja", u"&Yes", 23);
    Add(box, u"&Nein", u"&No", 23);
    Add(Top(*language, u"Dialoge"), u"Seite", u"Page", 1);
    Add(Top(*language, u"Stringtables"), u"Eigenschaften", u"Properties");
    Install(*language);
    QTabWidget sheet;
    sheet.setWindowTitle(u"Eigenschaften"_qs);
    auto* page = new QWidget;
    auto* button = new QPushButton(u"Knopf"_qs, page);
    sheet.addTab(page, u"Seite"_qs);
    EXPECT_EQ(TabContainerOfPage(page), &sheet);
    EXPECT_EQ(TabContainerOfPage(button), nullptr);
    EXPECT_EQ(TabContainerOfPage(&sheet), nullptr);

    std::u16string yes;
    CDialog::SetModalResponder([&yes](CDialog& dialog) {
        yes = dialog.GetDlgItemText(IDYES);
        return int(IDYES);
    });
    CMessageBox owned(u"Frage", u"Glossmark Editor", MB_YESNO, button);
    EXPECT_TRUE(TabContainerOfPage(&owned) == nullptr);
    owned.DoModal();
    EXPECT_EQ(yes, u"&Yes") << "translated as a plain dialog";
    EXPECT_EQ(sheet.windowTitle(), u"Eigenschaften"_qs);
    EXPECT_EQ(sheet.tabText(0), u"Seite"_qs);
}

} // namespace
