// Dialogs matched by their title and control texts against "Dialoge".

#include "TranslationTest.h"

#include "CMessageBox.h"
#include "DialogTranslation.h"
#include "UiLanguage.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace {

class DialogTranslationTest : public TranslationTest {
protected:
    // The flag dialog's texts: title, two buttons and a list with its template text.
    void BuildFlagDialog()
    {
        dialog.setWindowTitle(u"Flagge der Sprache wählen"_qs);
        ok = new QPushButton(u"&OK"_qs, &dialog);
        cancel = new QPushButton(u"&Abbrechen"_qs, &dialog);
        list = new QWidget(&dialog);
        CWnd(list).SetWindowText(u"List1");
    }

    static CTextNode* AddFlagEntry(CTextNode* dialogs)
    {
        CTextNode* entry = Add(dialogs, u"Flagge der Sprache wählen", u"Choose the flag", 1);
        Add(entry, u"&OK", u"&OK!", 23);
        Add(entry, u"&Abbrechen", u"&Cancel", 23);
        Add(entry, u"List1", u"Flags", 25);
        return entry;
    }

    const CTextNode* Dialogs() { return FindTopNode(GetCurrentTranslation(), u"Dialoge"); }
    static std::u16string Text(QWidget* w) { return CWnd(w).GetWindowText(); }

    QDialog dialog;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QWidget* list = nullptr;
};

TEST_F(DialogTranslationTest, PerfectFitTranslatesTitleAndEveryControl)
{
    auto language = MakeLanguage();
    Add(Top(*language, u"Dialoge"), u"Anderer Dialog", u"Other", 1);
    AddFlagEntry(Top(*language, u"Dialoge"));
    Install(*language);
    BuildFlagDialog();
    // Again through the translated texts, which it then shows.
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(TranslateDialogCore(CWnd(&dialog), Dialogs(), kPlainDialog));
        EXPECT_EQ(Text(&dialog), u"Choose the flag");
        EXPECT_EQ(Text(ok), u"&OK!");
        EXPECT_EQ(Text(cancel), u"&Cancel");
        EXPECT_EQ(Text(list), u"Flags");
    }
}

TEST_F(DialogTranslationTest, RepeatedControlTextsTakeTheEntryChildrenInOrder)
{
    auto language = MakeLanguage();
    CTextNode* entry = Add(Top(*language, u"Dialoge"), u"Titel", u"Title", 1);
    Add(entry, u"Static", u"First", 21);
    Add(entry, u"Static", u"Second", 21);
    Install(*language);
    dialog.setWindowTitle(u"Titel"_qs);
    auto* a = new QLabel(u"Static"_qs, &dialog);
    auto* b = new QLabel(u"Static"_qs, &dialog);
    ASSERT_TRUE(TranslateDialogCore(CWnd(&dialog), Dialogs(), kPlainDialog));
    EXPECT_EQ(Text(a), u"First");
    EXPECT_EQ(Text(b), u"Second");
}

TEST_F(DialogTranslationTest, EqualScoresKeepTheEarlierEntryAndTheOriginalComparison)
{
    // Two entries that fit perfectly: the earlier one is applied.
    auto language = MakeLanguage();
    CTextNode* first = AddFlagEntry(Top(*language, u"Dialoge"));
    AddFlagEntry(Top(*language, u"Dialoge"))->translatedText = u"Second";
    first->translatedText = u"First";
    // An entry whose two children swap their texts fits through both its
    // original and its translated texts; the original comparison wins.
    CTextNode* swap = Add(Top(*language, u"Dialoge"), u"Tausch", u"Tausch", 1);
    Add(swap, u"Links", u"Rechts", 23);
    Add(swap, u"Rechts", u"Links", 23);
    Install(*language);
    BuildFlagDialog();
    ASSERT_TRUE(TranslateDialogCore(CWnd(&dialog), Dialogs(), kPlainDialog));
    EXPECT_EQ(Text(&dialog), u"First");

    QDialog other;
    other.setWindowTitle(u"Tausch"_qs);
    auto* left = new QPushButton(u"Links"_qs, &other);
    auto* right = new QPushButton(u"Rechts"_qs, &other);
    ASSERT_TRUE(TranslateDialogCore(CWnd(&other), Dialogs(), kPlainDialog));
    EXPECT_EQ(Text(left), u"Rechts");
    EXPECT_EQ(Text(right), u"Links");
}

TEST_F(DialogTranslationTest, AHigherScoreWinsWhereverItsEntryStands)
{
    auto language = MakeLanguage();
    // Earlier, but one of its three controls is missing from the dialog.
    CTextNode* partial = Add(Top(*language, u"Dialoge"), u"Flagge der Sprache wählen", u"Partial", 1);
    Add(partial, u"&OK", u"&OK?", 23);
    Add(partial, u"&Abbrechen", u"&Cancel?", 23);
    Add(partial, u"&Hilfe", u"&Help?", 23);
    AddFlagEntry(Top(*language, u"Dialoge"));
    Install(*language);
    BuildFlagDialog();
    ASSERT_TRUE(TranslateDialogCore(CWnd(&dialog), Dialogs(), kPlainDialog));
    EXPECT_EQ(Text(&dialog), u"Choose the flag");
    EXPECT_EQ(Text(ok), u"&OK!");
}

TEST_F(DialogTranslationTest, UnknownDialogKeepsItsTexts)
{
    auto language = MakeLanguage();
    AddFlagEntry(Top(*language, u"Dialoge"));
    Install(*language);
    dialog.setWindowTitle(u"Ganz anders"_qs);
    auto* label = new QLabel(u"Nichts davon"_qs, &dialog);
    new QPushButton(u"&OK"_qs, &dialog); // one of three texts is not enough
    EXPECT_FALSE(TranslateDialogCore(CWnd(&dialog), Dialogs(), kPlainDialog));
    EXPECT_EQ(Text(&dialog), u"Ganz anders");
    EXPECT_EQ(Text(label), u"Nichts davon");
}

TEST_F(DialogTranslationTest, EntryWithoutChildrenNeedsAPerfectLivePart)
{
    auto language = MakeLanguage();
    Add(Top(*language, u"Dialoge"), u"Titel", u"Title", 1);
    Install(*language);
    dialog.setWindowTitle(u"Titel"_qs);
    auto* empty = new QLabel(&dialog); // empty texts are no misses
    ASSERT_TRUE(TranslateDialogCore(CWnd(&dialog), Dialogs(), kPlainDialog));
    EXPECT_EQ(Text(&dialog), u"Title");
    new QLabel(u"Unbekannt"_qs, &dialog);
    dialog.setWindowTitle(u"Titel"_qs);
    EXPECT_FALSE(TranslateDialogCore(CWnd(&dialog), Dialogs(), kPlainDialog));
    EXPECT_EQ(Text(empty), u"");
}

TEST_F(DialogTranslationTest, NoDialogeBranchChangesNothing)
{
    auto language = std::make_unique<CLanguageFile>(std::make_unique<CTextNode>(nullptr));
    Install(*language);
    BuildFlagDialog();
    TranslateDialog(CWnd(&dialog), kPlainDialog);
    EXPECT_EQ(Text(&dialog), u"Flagge der Sprache wählen");
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

TEST_F(DialogTranslationTest, MessageBoxesPassTheDialogHook)
{
    auto language = MakeLanguage();
    CTextNode* entry = Add(Top(*language, u"Dialoge"), u"Glossmark Editor", u"Glossmark", 1);
    Add(entry, u"Frage", u"Question", 21);
    Add(entry, u"&Ja", u"&Yes", 23);
    Add(entry, u"&Nein", u"&No", 23);
    Install(*language);
    std::u16string yes;
    CDialog::SetModalResponder([&yes](CDialog& box) {
        yes = box.GetDlgItemText(IDYES);
        return int(IDYES);
    });
    CMessageBox::Show(u"Frage", MB_YESNO);
    EXPECT_EQ(yes, u"&Yes");
}

} // namespace
