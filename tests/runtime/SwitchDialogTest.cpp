// The language switch dialog as a user meets it: the files of the working
// folder in their groups, the layout, choosing, and what OK does.

#include "TranslationTest.h"

#include "CLanguageSwitchDialog.h"
#include "CMessageHooks.h"
#include "LanguageFileIO.h"
#include "UiLanguage.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPushButton>

namespace {

class SwitchDialogTest : public TranslationTest {
protected:
    void SetUp() override
    {
        TranslationTest::SetUp();
        WorkInTestFolder();
    }

    // A language of the editor with a switch entry whose texts carry tag.
    static std::unique_ptr<CLanguageFile> MakeNamed(const std::u16string& name,
                                                    const std::u16string& version = u"2.002",
                                                    const std::u16string& program = u"Glossmark Editor")
    {
        auto language = MakeLanguage();
        language->programName = program;
        language->programVersion = version;
        language->languageName = name;
        CTextNode* entry = Add(Top(*language, u"Dialoge"), u"Sprache umschalten", u"Switch " + name, 30);
        const char16_t* parts[] = {u"Deutsch", u"Diese", u"Ältere", u"OK", u"Abbrechen", u"Hilfe",
                                   u"Ver.", u"Warnung", u"Fehler", u"Menü", u"Prompt\nTip"};
        for (const char16_t* part : parts)
            Add(entry, part, std::u16string(part) + u" " + name, 21);
        // A light grey corner, which the list shows transparent.
        language->flagPixels.fill(RGB(0, 0, 255));
        language->flagPixels[0] = RGB(192, 192, 192);
        return language;
    }

    // Runs the automatic dialog; check sees it before it would be shown.
    void RunDialog(const std::function<void(CLanguageSwitchDialog&)>& check)
    {
        bool seen = false;
        onDialog = [&](CDialog& dialog) {
            auto* switchDialog = qobject_cast<CLanguageSwitchDialog*>(&dialog);
            if (!switchDialog)
                return int(IDCANCEL);
            seen = true;
            check(*switchDialog);
            return dialog.result();
        };
        DoAutomaticSwitchDialog();
        EXPECT_TRUE(seen);
    }

    static QStringList Texts(const CLanguageList* list)
    {
        QStringList texts;
        for (int i = 0; list && i < list->GetList()->count(); ++i)
            texts << list->GetList()->item(i)->text();
        return texts;
    }
    static void Click(CLanguageList* list, int row)
    {
        list->GetList()->setCurrentRow(row);
        emit list->GetList()->itemClicked(list->GetList()->item(row));
    }
    static bool OkEnabled(CLanguageSwitchDialog& dialog)
    {
        return dialog.GetDlgItem(IDOK).IsWindowEnabled();
    }
};

TEST_F(SwitchDialogTest, FolderListsEveryFileInItsGroupAndNothingElse)
{
    Write(*MakeNamed(u"English"), "Edit.tra");
    Write(*MakeNamed(u"Deutsch"), "Deutsch.tra");
    Write(*MakeNamed(u"Français"), "Francais.tra");
    Write(*MakeNamed(u"English", u"2.01"), "Old.tra");
    Write(*MakeNamed(u"Alt", u"1.0"), "Aelter.tra");
    Write(*MakeNamed(u"Fremd", u"2.002", u"Other Program"), "Fremd.tra");
    // A readable first string that is not the magic one.
    WriteBytes("Corrupt.tra", QByteArray("\x0bNot a file!") + QByteArray(200, 0));
    WriteBytes("Unreadable.tra", QByteArray("no language file here, only words"));
    WriteBytes("Short.tra", ReadBytes("Deutsch.tra").left(9));
    QByteArray hostile = ReadBytes("Deutsch.tra");
    for (qsizetype i = 60; i < hostile.size(); i += 3) // behind the magic
        hostile[i] = char(0xFF);
    WriteBytes("Hostile.tra", hostile);
    WriteBytes("Empty.tra", {});
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Folder.tra")));
    WriteBytes("Notes.txt", ReadBytes("Deutsch.tra"));
    ASSERT_TRUE(LoadTranslationFile(u"Edit.tra", false));

    RunDialog([&](CLanguageSwitchDialog& dialog) {
        EXPECT_EQ(dialog.GetFiles().thisVersion,
                  (std::vector<std::u16string>{u"Deutsch.tra", u"Edit.tra", u"Francais.tra"}));
        EXPECT_EQ(dialog.GetFiles().otherVersions,
                  (std::vector<std::u16string>{u"Aelter.tra", u"Old.tra"}));
        EXPECT_EQ(Texts(dialog.GetThisVersionList()),
                  (QStringList{u"Deutsch"_qs, u"English"_qs, u"Français"_qs}));
        EXPECT_EQ(Texts(dialog.GetOlderVersionList()),
                  (QStringList{u"Alt (Ver. English1.0)"_qs, u"English (Ver. English2.01)"_qs}));
        EXPECT_EQ(CWnd(&dialog).GetWindowText(), u"Switch English");
        EXPECT_EQ(dialog.GetDlgItemText(CLanguageSwitchDialog::kThisVersionLabel), u"Diese English");
        EXPECT_EQ(dialog.GetDlgItemText(CLanguageSwitchDialog::kOlderVersionLabel), u"Ältere English");
        EXPECT_EQ(dialog.GetDlgItemText(IDOK), u"OK English");
        EXPECT_EQ(dialog.GetDlgItemText(IDCANCEL), u"Abbrechen English");
        EXPECT_EQ(dialog.GetDlgItemText(IDHELP), u"Hilfe English");
        EXPECT_FALSE(OkEnabled(dialog));
        // The flag with its light grey corner see-through.
        const QImage flag = dialog.GetThisVersionList()->GetList()->item(0)->icon().pixmap(32, 32).toImage();
        EXPECT_EQ(flag.pixelColor(0, 0).alpha(), 0);
        EXPECT_EQ(flag.pixelColor(5, 5), QColor(0, 0, 255));
    });
    // The damaged file was reported once, by its header read.
    EXPECT_EQ(boxes, std::vector<std::u16string>{u"corrupt .tra - file!"});
}

TEST_F(SwitchDialogTest, WithoutTranslationOrFilesTheListsStayEmpty)
{
    Write(*MakeNamed(u"English"), "Edit.tra");
    CLanguageSwitchDialog dialog(u"", true, true, {});
    onDialog = [](CDialog&) { return int(IDCANCEL); };
    dialog.DoModal(); // nothing loaded
    EXPECT_TRUE(dialog.GetFiles().thisVersion.empty());
    EXPECT_EQ(dialog.GetThisVersionList()->GetItemCount(), 0);
    EXPECT_FALSE(dialog.GetDlgItem(IDOK).IsWindowEnabled());
}

// With or without the older versions' list and the help button, every
// control lies inside the dialog and none covers another.
TEST_F(SwitchDialogTest, ControlsLieInsideTheDialogWithoutOverlapping)
{
    Write(*MakeNamed(u"English"), "Edit.tra");
    ASSERT_TRUE(LoadTranslationFile(u"Edit.tra", false));
    for (const bool older : {true, false}) {
        for (const bool help : {true, false}) {
            SCOPED_TRACE(testing::Message() << "older " << older << " help " << help);
            CLanguageSwitchDialog dialog(u"", older, help, {});
            dialog.DoModal();
            const QRect client = CWnd(&dialog).GetClientRect().ToQRect();
            std::vector<QRect> placed;
            for (int id : {int(CLanguageSwitchDialog::kThisVersionLabel), int(CLanguageSwitchDialog::kThisVersionList),
                           int(CLanguageSwitchDialog::kOlderVersionList), int(IDOK), int(IDCANCEL), int(IDHELP)}) {
                CWnd item = dialog.GetDlgItem(id);
                const bool expected = id == CLanguageSwitchDialog::kOlderVersionList ? older
                                      : id == IDHELP                                   ? help
                                                                                       : true;
                ASSERT_EQ(bool(item), expected) << id;
                if (!item)
                    continue;
                const QRect rect = item->geometry();
                EXPECT_TRUE(client.contains(rect)) << id;
                for (const QRect& other : placed)
                    EXPECT_FALSE(rect.intersects(other)) << id;
                placed.push_back(rect);
            }
        }
    }
}

TEST_F(SwitchDialogTest, ChoosingEnablesOkAndOkSwitches)
{
    Write(*MakeNamed(u"English"), "Edit.tra");
    Write(*MakeNamed(u"Deutsch"), "Deutsch.tra");
    Write(*MakeNamed(u"Alt", u"1.0"), "Aelter.tra");
    ASSERT_TRUE(LoadTranslationFile(u"Edit.tra", false));
    RunDialog([&](CLanguageSwitchDialog& dialog) {
        Click(dialog.GetThisVersionList(), 0);
        EXPECT_EQ(dialog.GetSwitchState(), CLanguageSwitchDialog::ThisVersionChosen);
        EXPECT_TRUE(OkEnabled(dialog));
        // Choosing below leaves the selection above, but OK takes the one below.
        Click(dialog.GetOlderVersionList(), 0);
        EXPECT_EQ(dialog.GetSwitchState(), CLanguageSwitchDialog::OlderVersionChosen);
        EXPECT_EQ(dialog.GetThisVersionList()->GetSelectedCount(), 1);
        Click(dialog.GetThisVersionList(), 0); // the same entry again counts
        EXPECT_EQ(dialog.GetSwitchState(), CLanguageSwitchDialog::ThisVersionChosen);
        dialog.GetThisVersionList()->GetList()->clearSelection();
        EXPECT_EQ(dialog.GetSwitchState(), CLanguageSwitchDialog::NothingChosen);
        EXPECT_FALSE(OkEnabled(dialog));
        Click(dialog.GetThisVersionList(), 0);
        qobject_cast<QPushButton*>(dialog.GetDlgItem(IDOK).GetWidget())->click();
        EXPECT_EQ(dialog.result(), IDOK);
    });
    EXPECT_EQ(GetCurrentTranslationFileName(), u"Deutsch.tra");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SwitchDialogTest, OlderVersionWarnsAndAFailedSwitchSaysSo)
{
    Write(*MakeNamed(u"English"), "Edit.tra");
    Write(*MakeNamed(u"Alt", u"1.0"), "Aelter.tra");
    Write(*MakeNamed(u"Neu"), "Neu.tra");
    ASSERT_TRUE(LoadTranslationFile(u"Edit.tra", false));
    RunDialog([&](CLanguageSwitchDialog& dialog) {
        dialog.GetOlderVersionList()->GetList()->setCurrentRow(0);
        emit dialog.GetOlderVersionList()->GetList()->itemDoubleClicked(
            dialog.GetOlderVersionList()->GetList()->item(0));
    });
    EXPECT_EQ(boxes, std::vector<std::u16string>{u"Warnung English"});
    EXPECT_EQ(GetCurrentTranslationFileName(), u"Aelter.tra");
    EXPECT_EQ(GetCurrentTranslation()->languageName, u"Alt");

    // The file goes away while the dialog is open: the error text of the
    // language now in use, and the language stays.
    boxes.clear();
    RunDialog([&](CLanguageSwitchDialog& dialog) {
        ASSERT_TRUE(QFile::remove(dir.filePath("Neu.tra")));
        ASSERT_EQ(dialog.GetFiles().thisVersion.back(), u"Neu.tra");
        Click(dialog.GetThisVersionList(), dialog.GetThisVersionList()->GetItemCount() - 1);
        dialog.OnOK();
    });
    EXPECT_EQ(boxes, std::vector<std::u16string>{u"Fehler Alt"});
    EXPECT_EQ(GetCurrentTranslationFileName(), u"Aelter.tra");
}

TEST_F(SwitchDialogTest, FileWithoutSwitchEntrySaysSoInEnglish)
{
    auto language = MakeLanguage();
    ASSERT_FALSE(WriteLanguageFile(*language, PathOf("Plain.tra")));
    ASSERT_TRUE(LoadTranslationFile(u"Plain.tra", false));
    bool shown = false;
    onDialog = [&shown](CDialog&) {
        shown = true;
        return int(IDCANCEL);
    };
    DoAutomaticSwitchDialog();
    EXPECT_FALSE(shown);
    EXPECT_EQ(boxes, std::vector<std::u16string>{
                         u"The function DoAutomaticSwitchDialog has been called,\nbut the recent "
                         u"translation file Plain.tra doesn't support automatic switching.\nUnable "
                         u"to show the language switch dialog."});
}

TEST_F(SwitchDialogTest, SwitchCommandFromAButtonOpensTheDialog)
{
    Write(*MakeNamed(u"English"), "Edit.tra");
    ASSERT_TRUE(LoadTranslationFile(u"Edit.tra", false));
    int shown = 0;
    onDialog = [&shown](CDialog& dialog) {
        shown += qobject_cast<CLanguageSwitchDialog*>(&dialog) != nullptr;
        return int(IDCANCEL);
    };
    HookEvent event{HookMessage::Command};
    event.id = 19987;
    event.source = CommandSource::Control;
    CMessageHooks::Dispatch(event, {});
    EXPECT_EQ(shown, 1);
}

} // namespace
