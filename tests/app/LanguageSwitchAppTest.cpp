// The editor switches its own language while it runs: English, German,
// French and back, through its menu command and the switch dialog, with a
// dialog open; menus, dialog texts, prompts and tooltips follow each time and
// the document stays as it was.

#include "AppTestSupport.h"

#include "CFontsDialog.h"
#include "CHeadView.h"
#include "CHelpWindow.h"
#include "CLanguageSwitchDialog.h"
#include "CMenu.h"
#include "CMessageBox.h"
#include "CProblemList.h"
#include "CProblemsController.h"
#include "CWnd.h"
#include "CZweiToolBar.h"
#include "UiLanguage.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QHelpEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolTip>

namespace {

class LanguageSwitchAppTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        UseEnglish();
        ASSERT_TRUE(QFile::copy(QStringLiteral(GLOSSMARK_DEUTSCH_TRA), dir.filePath("Deutsch.tra")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(GLOSSMARK_FRANCAIS_TRA), dir.filePath("Francais.tra")));
        ASSERT_TRUE(Start({CopySample()}));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
    }

    // Chooses language in the switch dialog that the editor's command opens;
    // returns the dialog's title and this-version label as they were shown.
    std::pair<std::u16string, std::u16string> SwitchTo(const QString& language,
                                                      const std::function<void()>& beforeOk = {})
    {
        std::pair<std::u16string, std::u16string> shown;
        onDialog = [&](CDialog& dialog) {
            auto* switchDialog = qobject_cast<CLanguageSwitchDialog*>(&dialog);
            if (!switchDialog)
                return int(IDCANCEL);
            shown = {CWnd(&dialog).GetWindowText(),
                     dialog.GetDlgItemText(CLanguageSwitchDialog::kThisVersionLabel)};
            QListWidget* list = switchDialog->GetThisVersionList()->GetList();
            const QList<QListWidgetItem*> found = list->findItems(language, Qt::MatchExactly);
            if (found.size() != 1)
                return int(IDCANCEL);
            list->setCurrentItem(found.front());
            emit list->itemClicked(found.front());
            if (beforeOk)
                beforeOk();
            qobject_cast<QPushButton*>(dialog.GetDlgItem(IDOK).GetWidget())->click();
            return dialog.result();
        };
        Frame().OnCommand(ID_LANGUAGE_SWITCH, CommandSource::Menu);
        onDialog = {};
        return shown;
    }

    // What the user sees of the editor's texts, in one line; last Qt's own
    // Cancel button, as its file chooser and print dialogs show it.
    std::u16string Texts(CFontsDialog& fonts)
    {
        const QDialogButtonBox qtButtons(QDialogButtonBox::Cancel);
        CMenu* bar = Frame().GetMenu();
        CMenu* view = bar->GetSubMenu(2);
        std::u16string prompt;
        Frame().OnMenuSelect(ID_OPEN_LANGUAGE, 0, bar->GetSubMenu(0));
        prompt = Pane(0);
        Frame().OnMenuSelect(0, 0xFFFF, nullptr); // the menu closes
        const std::u16string tooltip = ToolbarTooltip(ID_OPEN_LANGUAGE);
        std::u16string head;
        for (const CWnd& child : CWnd(Frame().GetHeadView()).GetChildren()) {
            if (child.GetDlgCtrlID() == IDC_STATIC && !child.GetWindowText().empty()) {
                head = child.GetWindowText();
                break;
            }
        }
        return bar->GetMenuString(0, MF_BYPOSITION) + u"|" +
               view->GetMenuString(ID_LANGUAGE_SWITCH, MF_BYCOMMAND) + u"|" +
               CWnd(&fonts).GetWindowText() + u"|" + fonts.GetDlgItemText(IDCANCEL) + u"|" + prompt +
               u"|" + tooltip + u"|" + head + u"|" +
               ToU16(qtButtons.button(QDialogButtonBox::Cancel)->text());
    }

    // The tooltip the toolbar shows when the mouse rests on the command's button.
    std::u16string ToolbarTooltip(UINT id)
    {
        CZweiToolBar* bar = Frame().GetToolBar();
        if (!bar || bar->CommandToIndex(id) < 0)
            return u"<no button>";
        QWidget* client = bar->GetClientWidget();
        const QPoint at = bar->GetItemRect(bar->CommandToIndex(id)).ToQRect().center();
        QHelpEvent event(QEvent::ToolTip, at, client->mapToGlobal(at));
        QApplication::sendEvent(client, &event);
        const std::u16string text = ToU16(QToolTip::text());
        QToolTip::hideText();
        return text;
    }

    // The texts the program loads itself rather than through a tracker: the
    // problems dock's title, the list's headers, the position pane and the
    // first listed problem's message.
    std::u16string LoadedTexts()
    {
        CProblemsController* problems = Frame().GetProblems();
        if (!problems)
            return u"<no problems pane>";
        CProblemList* list = problems->GetList();
        const auto header = [list](int column) {
            return ToU16(list->headerData(column, Qt::Horizontal).toString());
        };
        const std::u16string message =
            list->ProblemCount() > 0
                ? ToU16(list->data(list->index(0, CProblemList::MessageColumn)).toString())
                : u"<no problem>";
        return ToU16(problems->GetDock()->windowTitle()) + u"|" + header(CProblemList::PathColumn) +
               u"|" + header(CProblemList::MessageColumn) + u"|" + Pane(1) + u"|" + message;
    }

    QImage MenuBarPicture() { return Frame().menuWidget()->grab().toImage(); }

    // The buttons of a message box of type, as shown.
    static std::u16string Buttons(UINT type)
    {
        std::u16string shown;
        const auto fixture = CDialog::SetModalResponder([&shown](CDialog& dialog) {
            for (int id : {IDOK, IDYES, IDNO, IDCANCEL}) {
                if (dialog.GetDlgItem(id).GetWidget())
                    shown += dialog.GetDlgItemText(id) + u'|';
            }
            return int(IDCANCEL);
        });
        CMessageBox::Show(u"?", type);
        CDialog::SetModalResponder(fixture);
        return shown;
    }
};

// Every text follows each switch at once, from the frame's trackers and from
// the program's own loads alike (the idle status text, message box buttons,
// the problems dock, the position pane and the guide); the document stays as
// it was, also when the chosen file turns out damaged.
TEST_F(LanguageSwitchAppTest, EnglishGermanFrenchAndBackWithADialogOpen)
{
    CFontsDialog fonts(&Frame());
    ASSERT_TRUE(fonts.Create());
    // A file listed whole but damaged before OK changes nothing and says so.
    SwitchTo(u"Deutsch"_qs, [this] {
        QFile file(dir.filePath("Deutsch.tra"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.resize(200);
    });
    EXPECT_EQ(boxes, std::vector<std::u16string>{u"The language could not be switched"});
    EXPECT_EQ(GetCurrentTranslationFileName(), u"Edit.tra");
    boxes.clear();
    ASSERT_TRUE(QFile::remove(dir.filePath("Deutsch.tra")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(GLOSSMARK_DEUTSCH_TRA), dir.filePath("Deutsch.tra")));

    Doc().SetModified();
    const QString title = Frame().windowTitle();
    const std::u16string path = Doc().GetPathName();
    // The sample's first problem: an accelerator key used twice in one menu.
    const std::u16string rows = ToU16(QString::number(View().GetRowCount()));
    const std::u16string clash = u"&Log changes to unit of measure";

    struct Shown {
        std::u16string idle, buttons, loaded, texts;
    };
    const Shown english{u"For Help, press F1", u"&Yes|&No|Cancel|",
                        u"Problems|Path|Message|" + rows +
                            u" texts|The accelerator key L is also used by “" + clash + u"”",
                        u"&File|Language of Glossmark Editor...|Fonts...|&Cancel|Opens a language "
                        u"for editing|Open language|Program:|Cancel"};
    const Shown german{u"Drücken Sie F1, um Hilfe zu erhalten.", u"&Ja|&Nein|Abbrechen|",
                       u"Probleme|Pfad|Meldung|" + rows +
                           u" Texte|Die Zugriffstaste L verwendet auch „" + clash + u"“",
                       u"&Datei|Sprache von Glossmark Editor...|Schriftarten...|&Abbrechen|"
                       u"Öffnet eine Sprache zum Editieren|Sprache öffnen|Programm:|Abbrechen"};
    const Shown french{u"Pour obtenir de l'aide, appuyez sur F1", u"&Oui|&Non|Annuler|",
                       u"Problèmes|Chemin|Message|" + rows +
                           u" textes|La touche d'accès L est aussi utilisée par « " + clash + u" »",
                       u"&Fichier|Langue de Glossmark Editor...|Polices...|&Annuler|Ouvre une "
                       u"langue pour la modifier|Ouvrir une langue|Programme :|Annuler"};
    const auto expectShown = [&](const Shown& shown) {
        // The idle text first: at once, not only once a menu has been opened.
        EXPECT_EQ(Pane(0), shown.idle);
        EXPECT_EQ(Buttons(MB_YESNOCANCEL), shown.buttons);
        EXPECT_EQ(LoadedTexts(), shown.loaded);
        EXPECT_EQ(Texts(fonts), shown.texts);
    };
    {
        SCOPED_TRACE("English");
        expectShown(english);
        EXPECT_EQ(Buttons(MB_YESNO), u"&Yes|&No|");
        EXPECT_EQ(Buttons(MB_OKCANCEL), u"OK|Cancel|");
        EXPECT_EQ(Buttons(MB_OK), u"OK|");
    }
    const QImage englishBar = MenuBarPicture();

    // The dialog's Help button opens the guide, which follows the switch.
    QString pageInDialog;
    EXPECT_EQ(SwitchTo(u"Deutsch"_qs,
                       [&] {
                           for (QWidget* w : QApplication::topLevelWidgets()) {
                               if (auto* dialog = qobject_cast<CLanguageSwitchDialog*>(w))
                                   qobject_cast<QPushButton*>(dialog->GetDlgItem(IDHELP).GetWidget())->click();
                           }
                           if (CHelpWindow* help = Frame().GetHelpWindow(); help && help->isVisible())
                               pageInDialog = help->GetBrowser()->source().toString();
                       }),
              std::make_pair(std::u16string(u"Switch Language"), std::u16string(u"Languages of this program version")));
    EXPECT_EQ(pageInDialog, QStringLiteral("qrc:/help/guide.en.html"));
    ASSERT_NE(Frame().GetHelpWindow(), nullptr);
    EXPECT_EQ(Frame().GetHelpWindow()->GetBrowser()->source().toString(),
              QStringLiteral("qrc:/help/guide.de.html"));
    Frame().GetHelpWindow()->close();
    {
        SCOPED_TRACE("Deutsch");
        expectShown(german);
    }
    const QImage germanBar = MenuBarPicture();

    EXPECT_EQ(SwitchTo(u"Français"_qs),
              std::make_pair(std::u16string(u"Sprache umschalten"),
                             std::u16string(u"Sprachen dieser Programmversion")));
    {
        SCOPED_TRACE("Français");
        expectShown(french);
    }

    EXPECT_EQ(SwitchTo(u"English"_qs).first, u"Changer de langue");
    {
        SCOPED_TRACE("English again");
        expectShown(english);
    }
    EXPECT_EQ(GetCurrentTranslationFileName(), u"Edit.tra");
    // The menu bar looks as it did before the first switch, and not as in German.
    EXPECT_NE(englishBar, germanBar);
    EXPECT_EQ(MenuBarPicture(), englishBar);

    // On a problem's row the status line names the problem in the new language.
    Frame().GetProblems()->GoToNext();
    EXPECT_EQ(Pane(0), u"Problem: The accelerator key L is also used by “" + clash + u"”");
    SwitchTo(u"Deutsch"_qs);
    EXPECT_EQ(Pane(0), u"Problem: Die Zugriffstaste L verwendet auch „" + clash + u"“");

    EXPECT_EQ(Frame().windowTitle(), title);
    EXPECT_TRUE(Doc().IsLanguageModified());
    EXPECT_EQ(Doc().GetPathName(), path);
    EXPECT_TRUE(boxes.empty());
}

} // namespace
