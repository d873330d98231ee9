// Find and replace in the running program: the commands, F3 and the dialog's
// notifications travel through the main frame to the text tree view.

#include "AppTestSupport.h"

#include "CHelpWindow.h"
#include "CInPlaceEdit.h"
#include "CSearchCursor.h"

#include <QWindow>

#include <map>

namespace {

class FindThroughFrameTest : public SampleAppTest {
protected:
    bool Enabled(UINT id) { return Frame().QueryCommandState(id).IsEnabled(); }
    CFindReplaceDialog* Dialog() { return View().GetFindDialog(); }

    // The first four letters of a text of the file, and the row they are in;
    // not in row 0, which a walk that starts there searches only once.
    std::pair<std::u16string, int> SomeWord()
    {
        const std::u16string& first = View().GetRow(0)->node->translatedText;
        for (int i = 1; i < View().GetRowCount(); ++i) {
            const std::u16string& text = View().GetRow(i)->node->translatedText;
            if (text.size() >= 4 && std::all_of(text.begin(), text.begin() + 4, [](char16_t c) {
                    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
                }) && first.find(text.substr(0, 4)) == std::u16string::npos)
                return {text.substr(0, 4), i};
        }
        return {};
    }
};

TEST_F(FindThroughFrameTest, MenuKeysAndTheDialogsButtonReachTheTreeView)
{
    QTest::keyClick(&Frame(), Qt::Key_F3);
    CFindReplaceDialog* dialog = Dialog();
    ASSERT_NE(dialog, nullptr) << "nothing searched yet: F3 opens the dialog";
    EXPECT_TRUE(dialog->IsFindOnly());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Find")) << "translated when it initialises";
    EXPECT_FALSE(Enabled(ID_FIND));
    EXPECT_FALSE(Enabled(ID_REPLACE));

    const auto [word, row] = SomeWord();
    ASSERT_FALSE(word.empty());
    Field(dialog, CFindReplaceDialog::kFindWhat)->setText(QString::fromStdU16String(word));
    // The user's click on "Weitersuchen".
    Field<QAbstractButton>(dialog, IDOK)->click();
    ASSERT_GE(View().GetCurrentRow(), 0);
    EXPECT_LE(View().GetCurrentRow(), row) << "the first text holding it";
    Frame().OnCommand(ID_FIND_NEXT_UP, CommandSource::Accelerator);
    EXPECT_FALSE(View().IsDirectionDown());

    // With the dialog closed F3 searches again for the last find text.
    dialog->close();
    EXPECT_TRUE(Enabled(ID_FIND));
    QTest::keyClick(&Frame(), Qt::Key_F3);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_TRUE(View().IsDirectionDown());
    EXPECT_EQ(View().GetSearchCursor()->findText, word);

    QTest::keyClick(&Frame(), Qt::Key_H, Qt::ControlModifier);
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_FALSE(Dialog()->IsFindOnly());
    Dialog()->close();
    QTest::keyClick(&Frame(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_TRUE(Dialog()->IsFindOnly());
}

// The transient parent each window had when it was shown: a window manager
// reads it then to keep the window above its owner.
class TransientAtShow : public QObject {
public:
    TransientAtShow() { qApp->installEventFilter(this); }
    std::map<const QWindow*, const QWindow*> seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (auto* window = qobject_cast<QWindow*>(watched); window && event->type() == QEvent::Show)
            seen[window] = window->transientParent();
        return false;
    }
};

TEST_F(FindThroughFrameTest, DialogsStayAboveTheMainWindowWhichAHitActivates)
{
    TransientAtShow shown;
    Frame().OnCommand(ID_FIND, CommandSource::Menu);
    CFindReplaceDialog* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(shown.seen[dialog->windowHandle()], Frame().windowHandle());
    Frame().OnCommand(ID_HELP);
    ASSERT_NE(Frame().GetHelpWindow(), nullptr);
    EXPECT_EQ(shown.seen[Frame().GetHelpWindow()->windowHandle()], Frame().windowHandle());
    // X11 keeps only dialogs above their transient parent.
    EXPECT_EQ(Frame().GetHelpWindow()->windowType(), Qt::Dialog);

    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    Field(dialog, CFindReplaceDialog::kFindWhat)->setText(QString::fromStdU16String(SomeWord().first));
    Field<QAbstractButton>(dialog, IDOK)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &Frame(); }, 2000));
    EXPECT_TRUE(dialog->isVisible());
}

} // namespace
