#pragma once

// Fixture of the program tests: the real CEditorApp started in a test folder
// of its own (with or without the English "Edit.tra") with a translation
// memory of its own, message boxes and file dialogs answered instead of
// shown, and the program ended after each test.

#include "CEditorApp.h"
#include "CFileDialog.h"
#include "CFindReplaceDialog.h"
#include "CMainFrame.h"
#include "CMyEditView.h"
#include "CStatusBar.h"
#include "CTextRow.h"
#include "CTransDoc.h"
#include "LanguageFileIO.h"
#include "QtStrings.h"
#include "TranslationTest.h"
#include "resource.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <optional>

class AppTest : public TranslationTest {
protected:
    void SetUp() override
    {
        TranslationTest::SetUp();
        WorkInTestFolder();
        m_previousData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
        m_previousFiles = CFileDialog::SetResponder([this](CFileDialog& dialog) {
            fileDialogTitles.push_back(dialog.GetTitle());
            fileDialogPaths.push_back(dialog.GetPathName());
            if (!nextFile)
                return int(IDCANCEL);
            dialog.SetPathName(*nextFile);
            nextFile.reset();
            return int(IDOK);
        });
    }

    void TearDown() override
    {
        End();
        CFileDialog::SetResponder(m_previousFiles);
        qputenv("XDG_DATA_HOME", m_previousData);
        TranslationTest::TearDown();
    }

    // The English user-interface file in the working folder.
    void UseEnglish()
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(GLOSSMARK_EDIT_TRA), dir.filePath("Edit.tra")));
    }
    // A copy of the bundled sample in the test folder, by its full path.
    QString CopySample(const QString& name = QStringLiteral("Sample.tra"))
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(QFile::copy(QStringLiteral(GLOSSMARK_SAMPLE_TRA), path));
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
    // A translation (program "Test") of the tree below root, written to the
    // test folder under name; its path.
    QString WriteLanguage(std::unique_ptr<CTextNode> root, const std::u16string& languageName,
                          const QString& name)
    {
        CLanguageFile language(std::move(root));
        language.SetOriginal(false);
        language.programName = u"Test";
        language.languageName = languageName;
        const QString path = dir.filePath(name);
        EXPECT_FALSE(WriteLanguageFile(language, path.toStdString()));
        return path;
    }

    // Starts the program with these arguments; the result of InitInstance.
    bool Start(const QStringList& arguments = {})
    {
        app = std::make_unique<CEditorApp>();
        app->SetCommandLine(arguments);
        if (!app->InitInstance())
            return false;
        // Keys reach the window's accelerators once it is the active one.
        app->GetMainFrame()->activateWindow();
        return QTest::qWaitForWindowActive(app->GetMainFrame());
    }
    // Ends it as closing the window would (no questions asked) and exits.
    int End()
    {
        if (!app)
            return -1;
        delete app->GetMainFrame();
        const int status = app->ExitInstance();
        app.reset();
        return status;
    }

    CMainFrame& Frame() { return *app->GetMainFrame(); }
    CMyEditView& View() { return *Frame().GetEditView(); }
    CTransDoc& Doc() { return *app->GetDocument(); }
    std::u16string Pane(int index) { return Frame().GetStatusBar()->GetPaneText(index); }

    // Shown top-level windows of the process.
    static int VisibleWindows()
    {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            count += widget->isVisible() ? 1 : 0;
        return count;
    }

    // Expands rows from the top until a text without children is shown; its index.
    int FirstLeafRow()
    {
        CMyEditView& view = View();
        for (int i = 0; i < view.GetRowCount(); ++i) {
            if (!view.IsRowShown(i))
                continue;
            CTextRow& row = *view.GetRow(i);
            if (row.node->ChildCount() == 0)
                return i;
            view.SetExpanded(i, true);
        }
        return -1;
    }
    // Window point inside the first translated piece of a shown row.
    QPoint PiecePoint(int index)
    {
        CMyEditView& view = View();
        view.repaint(); // lays out the rows in the window
        if (view.GetRow(index)->translatedPieces.empty())
            return {-1, -1};
        const CRect& rect = view.GetRow(index)->translatedPieces.front()->rect;
        return {view.RowDocumentX(index) - view.GetHorizontalScroll() + rect.left + 2,
                view.RowDocumentY(index) - view.GetVerticalScroll() + rect.top + 2};
    }

    // The field or box with this id in a find or replace dialog.
    template <class Widget = QLineEdit>
    static Widget* Field(CFindReplaceDialog* dialog, int id)
    {
        return qobject_cast<Widget*>(dialog->GetDlgItem(id).GetWidget());
    }
    // Replaces all of find by replaceWith through the frame's replace dialog.
    void ReplaceAll(const QString& find, const QString& replaceWith, bool matchCase = false)
    {
        Frame().OnCommand(ID_REPLACE, CommandSource::Menu);
        CFindReplaceDialog* dialog = View().GetFindDialog();
        ASSERT_NE(dialog, nullptr);
        Field(dialog, CFindReplaceDialog::kFindWhat)->setText(find);
        Field(dialog, CFindReplaceDialog::kReplaceWith)->setText(replaceWith);
        Field<QAbstractButton>(dialog, CFindReplaceDialog::kMatchCase)->setChecked(matchCase);
        dialog->OnReplaceAll();
        dialog->close();
    }

    std::unique_ptr<CEditorApp> app;
    std::optional<std::u16string> nextFile; // the file the next file dialog chooses
    std::vector<std::u16string> fileDialogTitles;
    std::vector<std::u16string> fileDialogPaths; // the path each file dialog started with

private:
    CFileDialog::Responder m_previousFiles;
    QByteArray m_previousData;
};

// The program started in English on a copy of the sample before each test.
class SampleAppTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        UseEnglish();
        ASSERT_TRUE(Start({CopySample()}));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
    }
};
