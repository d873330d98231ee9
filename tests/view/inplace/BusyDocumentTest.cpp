// Nothing reaches the document while it writes its file: the progress dialog
// runs the event loop, but cannot be closed, and the document and the editor
// refuse every command and change until the write is done.
#include "CBusyFeedback.h"
#include "CInPlaceEdit.h"
#include "CMyEditView.h"
#include "CTextPiece.h"
#include "CTextRow.h"
#include "DialogScript.h"
#include "DocumentAndView.h"
#include "Golden.h"
#include "QtStrings.h"
#include "SampleLanguage.h"
#include "resource.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QProgressDialog>

namespace {

void Press(QWidget* widget, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

TEST(BusyDocument, EscapeTypingAndCommandsDuringASlowSaveChangeNothing)
{
    DocumentAndView<CMyEditView> opened;
    opened.Open(*MakeSampleLanguage(8000, 7), {640, 400}, "big.tra");
    ASSERT_NE(opened.view, nullptr);
    CTransDoc& doc = opened.doc;
    CMyEditView& view = *opened.view;
    const QString path = opened.path;
    const QString other = opened.dir.filePath("other.tra");
    ASSERT_FALSE(WriteLanguageFile(*MakeSampleLanguage(50, 3), other.toStdString()));
    ASSERT_GT(QFile(path).size(), 1 << 19) << "more than one progress report";
    int row = 0;
    while (row < view.GetRowCount() &&
           (view.GetRow(row)->node->ChildCount() > 0 || !view.GetRow(row)->freeSize))
        ++row;
    ASSERT_LT(row, view.GetRowCount());
    view.SetCurrentRow(row);
    view.OpenEditorInCurrentRow(false, false);
    CInPlaceEdit* editor = view.GetEditor();
    ASSERT_NE(editor->GetPiece(), nullptr);
    Press(editor, Qt::Key_A, "A");
    ASSERT_TRUE(doc.IsLanguageModified());
    const std::u16string typed = editor->GetPiece()->text;

    DialogScript script; // asks nothing during the save, or the test fails
    script.paths = {ToU16(other)};
    bool acted = false;
    bool dialogStayed = false;
    // The save seems slow from its start: the progress dialog shows at once.
    CBusyFeedback::SetElapsedForTesting([] { return qint64(CBusyFeedback::kProgressDelayMs); });
    CBusyFeedback::SetStepHookForTesting([&](CBusyFeedback& busy) {
        QProgressDialog* progress = busy.GetDialog();
        if (!progress || acted)
            return;
        acted = true;
        QTest::keyClick(progress, Qt::Key_Escape);
        progress->close();
        dialogStayed = progress->isVisible();
        // What a user could do in the main window if the dialog went away.
        Press(editor, Qt::Key_B, "B");
        Press(editor, Qt::Key_Return, "\r");
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
        CCmdUI undo(ID_EDIT_UNDO);
        view.UpdateCommandUI(undo);
        EXPECT_FALSE(undo.IsEnabled()) << "no undo while the file is written";
        view.OnCmdMsg(ID_OPEN_LANGUAGE, CN_COMMAND, nullptr);
        view.OnCmdMsg(ID_NEW_TRANSLATION, CN_COMMAND, nullptr);
        // What comes without a command: a dropped file, a second start's
        // file, the close question, the head view's language name.
        EXPECT_FALSE(doc.OpenLanguage());
        doc.NewTranslation();
        doc.VersionUpdate();
        EXPECT_FALSE(doc.SaveModified()) << "no closing during the save";
        doc.SetLanguageName(u"Geändert");
        CCmdUI ui(ID_OPEN_LANGUAGE);
        EXPECT_FALSE(view.UpdateCommandUI(ui)) << "commands are disabled while busy";
        QCoreApplication::processEvents();
    });
    const bool saved = doc.SaveLanguage();
    CBusyFeedback::SetStepHookForTesting({});
    CBusyFeedback::SetElapsedForTesting({});

    EXPECT_TRUE(saved);
    EXPECT_TRUE(acted) << "the dialog appeared during the save";
    EXPECT_TRUE(dialogStayed);
    EXPECT_TRUE(script.fileTitles.empty()) << "no open during the save";
    EXPECT_EQ(doc.GetPathName(), ToU16(path));
    EXPECT_FALSE(doc.IsOriginal());
    EXPECT_NE(doc.GetLanguageName(), u"Geändert");

    // The file is complete; every edit is in it or the document is still modified.
    const ReadOutcome read = ReadLanguageFile(path.toStdString());
    ASSERT_FALSE(read.error) << read.error.Describe(path.toStdString());
    ASSERT_NE(read.language, nullptr);
    const QString now = opened.dir.filePath("now.tra");
    ASSERT_FALSE(WriteLanguageFile(*doc.GetLanguage(), now.toStdString()));
    EXPECT_TRUE(doc.IsLanguageModified() ||
                golden::Read(now.toStdString()) == golden::Read(path.toStdString()));
    EXPECT_EQ(view.GetRow(row)->ComposeTranslated(), typed);
}

} // namespace
