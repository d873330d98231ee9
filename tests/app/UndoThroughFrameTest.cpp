// Undo and redo in the running program: keys and menu items reach the
// document's history through the main frame; the title's star and the saved
// bytes follow the history; the Edit menu names the step in each language.

#include "AppTestSupport.h"

#include "CInPlaceEdit.h"
#include "Golden.h"

namespace {

class UndoThroughFrameTest : public AppTest {
protected:
    // The program on a copy of the sample, in the given user-interface
    // language file (none: the German resources).
    void StartIn(const char* uiFile)
    {
        if (uiFile) {
            ASSERT_TRUE(QFile::copy(QString::fromUtf8(uiFile), dir.filePath("Edit.tra")));
        }
        sample = CopySample();
        ASSERT_TRUE(Start({sample}));
    }

    // The editor open at the end of the first text without children.
    QWidget* EditFirstLeaf()
    {
        const int row = FirstLeafRow();
        View().SetCurrentRow(row);
        View().OpenEditorInCurrentRow(false, false);
        return View().GetEditor();
    }

    std::u16string Item(UINT id) { return Frame().QueryCommandState(id).GetText().value_or(u"?"); }
    bool Enabled(UINT id) { return Frame().QueryCommandState(id).IsEnabled(); }
    bool Starred() { return Doc().GetTitle().find(u'*') != std::u16string::npos; }

    std::string Bytes() const { return golden::Read(sample.toStdString()); }

    std::vector<std::u16string> AllTexts()
    {
        std::vector<std::u16string> texts;
        for (int i = 0; i < View().GetRowCount(); ++i)
            texts.emplace_back(View().GetRow(i)->node->translatedText);
        return texts;
    }

    QString sample;
};

TEST_F(UndoThroughFrameTest, TypingUndoAndRedoByKeysAndTheStarFollows)
{
    StartIn(GLOSSMARK_EDIT_TRA);
    QWidget* editor = EditFirstLeaf();
    CTextNode* node = View().GetRow(View().GetCurrentRow())->node;
    const std::u16string before(node->translatedText);
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(Enabled(ID_EDIT_REDO));

    QTest::keyClicks(editor, QStringLiteral("xyz"));
    EXPECT_EQ(std::u16string(node->translatedText), before + u"xyz") << "the model holds the typing";
    EXPECT_TRUE(Starred());
    EXPECT_EQ(Item(ID_EDIT_UNDO), u"&Undo typing\tCtrl+Z");

    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(std::u16string(node->translatedText), before) << "one step for the typing in one text";
    EXPECT_EQ(View().GetEditor()->GetWindowText(), before);
    EXPECT_FALSE(Starred());
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    EXPECT_EQ(Item(ID_EDIT_REDO), u"&Redo typing\tCtrl+Y");

    QTest::keyClick(View().GetEditor(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(std::u16string(node->translatedText), before + u"xyz");
    EXPECT_TRUE(Starred());
    // Ctrl+Shift+Z redoes too; Alt+Backspace undoes.
    QTest::keyClick(View().GetEditor(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(std::u16string(node->translatedText), before);
    QTest::keyClick(View().GetEditor(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(std::u16string(node->translatedText), before + u"xyz");
}

TEST_F(UndoThroughFrameTest, OneUndoTakesBackAWholeReplaceAllAndUndoCrossesASave)
{
    StartIn(GLOSSMARK_EDIT_TRA);
    const std::vector<std::u16string> before = AllTexts();
    ReplaceAll(QStringLiteral("e"), QStringLiteral("E"));
    const std::vector<std::u16string> replaced = AllTexts();
    int changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i)
        changed += before[i] != replaced[i] ? 1 : 0;
    ASSERT_GT(changed, 1);
    EXPECT_EQ(Item(ID_EDIT_UNDO), u"&Undo replace all\tCtrl+Z");

    Frame().OnCommand(ID_EDIT_UNDO, CommandSource::Menu);
    EXPECT_EQ(AllTexts(), before);
    EXPECT_FALSE(Starred());
    Frame().OnCommand(ID_EDIT_REDO, CommandSource::Menu);
    EXPECT_EQ(AllTexts(), replaced);

    // Undo across a save gives the old bytes back (the replacement undone
    // first: the file as it was opened).
    Frame().OnCommand(ID_EDIT_UNDO, CommandSource::Menu);
    const std::string original = Bytes();
    QTest::keyClicks(EditFirstLeaf(), QStringLiteral("neu"));
    Frame().OnCommand(ID_SAVE_LANGUAGE, CommandSource::Menu);
    EXPECT_NE(Bytes(), original);
    EXPECT_FALSE(Starred());

    Frame().OnCommand(ID_EDIT_UNDO, CommandSource::Menu);
    EXPECT_TRUE(Starred()) << "the file now holds what was undone";
    EXPECT_TRUE(Enabled(ID_SAVE_LANGUAGE));
    Frame().OnCommand(ID_SAVE_LANGUAGE, CommandSource::Menu);
    EXPECT_EQ(Bytes(), original);
    Frame().OnCommand(ID_EDIT_REDO, CommandSource::Menu);
    EXPECT_TRUE(Starred());
}

TEST_F(UndoThroughFrameTest, TheItemsNameTheStepInGerman)
{
    StartIn(nullptr);
    EXPECT_EQ(Item(ID_EDIT_UNDO), u"&Rückgängig\tStrg+Z");
    EXPECT_EQ(Item(ID_EDIT_REDO), u"&Wiederholen\tStrg+Y");
    ReplaceAll(QStringLiteral("e"), QStringLiteral("E"));
    EXPECT_EQ(Item(ID_EDIT_UNDO), u"&Rückgängig: Alle Ersetzungen\tStrg+Z");
    Frame().OnCommand(ID_MARK_ALL_DONE, CommandSource::Menu);
    EXPECT_EQ(Item(ID_EDIT_UNDO), u"&Rückgängig: Markierung\tStrg+Z");
    Frame().OnCommand(ID_EDIT_UNDO, CommandSource::Menu);
    EXPECT_EQ(Item(ID_EDIT_REDO), u"&Wiederholen: Markierung\tStrg+Y");
}

TEST_F(UndoThroughFrameTest, TheItemsNameTheStepInFrench)
{
    StartIn(GLOSSMARK_FRANCAIS_TRA);
    EXPECT_EQ(Item(ID_EDIT_UNDO), u"&Annuler\tCtrl+Z");
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    QTest::keyClicks(EditFirstLeaf(), QStringLiteral("x"));
    EXPECT_EQ(Item(ID_EDIT_UNDO), u"&Annuler la saisie\tCtrl+Z");
    EXPECT_TRUE(Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(Enabled(ID_EDIT_REDO));
    EXPECT_EQ(Item(ID_EDIT_REDO), u"Réta&blir\tCtrl+Y");
}

} // namespace
