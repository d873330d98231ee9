// Suggestions in the running editor: from the translation memory and from
// the open file, a reply for a text no longer current dropped, Ctrl+1 as one
// undoable step, and a suggestion that fails a check going in only when
// chosen twice.

#include "AppTestSupport.h"

#include "CSuggestionsController.h"
#include "CTranslationMemory.h"

#include <QDir>
#include <QLabel>
#include <QThread>
#include <QTreeView>

namespace {

using test_tree::Add;

constexpr std::uint32_t kToEdit = 3;

class SuggestionsTest : public AppTest {
protected:
    // A German translation; "Speichern" is done once and still to be edited
    // once. The memory of the test folder holds a few German pairs from
    // another file, or what the test put there itself.
    void StartWithFile(bool fillMemory = true)
    {
        if (fillMemory)
            FillMemory();
        auto root = std::make_unique<CTextNode>(nullptr);
        Add(root.get(), u"Dialoge", u"Dialoge", 8);
        Add(root.get(), u"Menus", u"Menus", 9);
        CTextNode* table = Add(Add(root.get(), u"Stringtables", u"Stringtables", 10), u"1", u"1", 6);
        Add(table, u"Speichern", u"Sichern", 6);
        for (const char16_t* original : {u"Datei öffnen", u"Zeile %d", u"Fenster schließen", u"Speichern"})
            Add(table, original, original, 6, 0, kToEdit);
        ASSERT_TRUE(Start({WriteLanguage(std::move(root), u"Deutsch", QStringLiteral("Suggest.tra"))}));
        ASSERT_NE(Frame().GetSuggestions(), nullptr);
    }
    static void FillMemory()
    {
        std::string error;
        auto memory = memory::CTranslationMemory::Open(memory::CTranslationMemory::DefaultPath(), error);
        ASSERT_TRUE(memory) << error;
        std::vector<memory::Pair> pairs;
        for (const auto& [original, translation] :
             {std::pair<std::u16string, std::u16string>{u"Datei öffnen", u"Open file"},
              {u"Zeile %d", u"Line"}, {u"Fenster schließen", u"Close window"}})
            pairs.push_back({"und", "de", original, translation, u"Other", u"1", 0, "/elsewhere/Other.tra"});
        memory::AddCounts counts;
        ASSERT_EQ(memory->Add(pairs, counts), "");
    }

    CSuggestionsController& Suggestions() { return *Frame().GetSuggestions(); }

    // Makes the last text with this original current; its node.
    CTextNode* GoTo(std::u16string_view original)
    {
        for (int i = View().GetRowCount(); i-- > 0;) {
            if (View().GetRow(i)->node->originalText == original) {
                View().SetCurrentRow(i);
                View().RevealCurrentRow();
                View().WritePositionPane();
                return View().GetRow(i)->node;
            }
        }
        return nullptr;
    }
    void WaitForReply()
    {
        for (int i = 0; i < 500 && Suggestions().IsLookingUp(); ++i)
            QTest::qWait(10);
        ASSERT_FALSE(Suggestions().IsLookingUp());
    }
    std::vector<std::u16string> Texts()
    {
        std::vector<std::u16string> texts;
        for (const SuggestionEntry& entry : Suggestions().GetSuggestions())
            texts.push_back(entry.text);
        return texts;
    }
    void PressCtrl1() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_1, Qt::ControlModifier); }
};

TEST_F(SuggestionsTest, MemoryMatchAndGuessFromTheFileAppearForTheCurrentText)
{
    StartWithFile();
    GoTo(u"Fenster schließen");
    WaitForReply();
    ASSERT_EQ(Texts(), std::vector<std::u16string>{u"Close window"});
    const SuggestionEntry& match = Suggestions().GetSuggestions().front();
    EXPECT_EQ(match.score, 100);
    EXPECT_EQ(match.file, u"Other.tra");
    EXPECT_TRUE(match.problem.empty());
    const QTreeView* list = Suggestions().GetPane()->GetListView();
    EXPECT_EQ(list->model()->rowCount(), 1);
    EXPECT_FALSE(list->accessibleName().isEmpty());
    // A screen reader hears the whole entry on its first cell.
    EXPECT_EQ(list->model()->index(0, 0).data(Qt::AccessibleTextRole).toString(),
              u"Vorschlag 1, Treffer 100: Close window");

    // The same original done elsewhere in the file (the memory has none). The
    // worker answers for "Datei öffnen" while the user already moves on: that
    // reply is dropped.
    GoTo(u"Datei öffnen");
    QThread::msleep(200);
    GoTo(u"Speichern");
    WaitForReply();
    ASSERT_EQ(Texts(), std::vector<std::u16string>{u"Sichern"});
    EXPECT_EQ(Suggestions().GetSuggestions().front().file, u"Suggest.tra");
}

TEST_F(SuggestionsTest, CorruptMemoryIsSaidInOneLineAndGuessesStay)
{
    QDir().mkpath(dir.filePath(QStringLiteral("data/glossmark-editor")));
    QFile file(QString::fromStdString(memory::CTranslationMemory::DefaultPath()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    StartWithFile(false);
    GoTo(u"Speichern");
    WaitForReply();
    const QLabel* message = Suggestions().GetPane()->GetMessageLabel();
    EXPECT_FALSE(message->isHidden());
    EXPECT_FALSE(message->text().contains(u'\n'));
    EXPECT_EQ(Texts(), std::vector<std::u16string>{u"Sichern"});
}

TEST_F(SuggestionsTest, CtrlOneIsOneUndoableStepAndASuggestionFailingACheckNeedsTwo)
{
    StartWithFile();
    // Ctrl+1 takes the first suggestion as one undoable step.
    CTextNode* open = GoTo(u"Datei öffnen");
    View().OpenEditorInCurrentRow(false, false);
    WaitForReply();
    ASSERT_EQ(Texts(), std::vector<std::u16string>{u"Open file"});
    const int steps = Doc().GetUndoStack().count();
    PressCtrl1();
    EXPECT_EQ(open->translatedText, u"Open file");
    EXPECT_LT(open->editState, kToEdit);
    EXPECT_EQ(Doc().GetUndoStack().count(), steps + 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(open->translatedText, u"Datei öffnen");
    EXPECT_EQ(open->editState, kToEdit);

    // A suggestion failing a check goes in only when chosen twice.
    CTextNode* node = GoTo(u"Zeile %d");
    WaitForReply();
    ASSERT_EQ(Texts(), std::vector<std::u16string>{u"Line"});
    EXPECT_FALSE(Suggestions().GetSuggestions().front().problem.empty());
    // The first choice, a double click, only says why.
    QTreeView* list = Suggestions().GetPane()->GetListView();
    EXPECT_TRUE(list->model()->index(0, 0).data(Qt::AccessibleTextRole).toString().contains(u": Line, Problem: "));
    const QPoint entry = list->visualRect(list->model()->index(0, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, entry);
    EXPECT_EQ(node->translatedText, u"Zeile %d");
    EXPECT_TRUE(Pane(0).find(u"%d") != std::u16string::npos) << ToQString(Pane(0)).toStdString();
    PressCtrl1();
    EXPECT_EQ(node->translatedText, u"Line");
}

} // namespace
