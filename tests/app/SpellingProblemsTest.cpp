// Spelling in the running editor's problems pane, with the real German
// dictionary: the whole file is spelt on a worker and its problems join the
// list (F8 reaches them), a typed fix leaves the list at once, and the flag
// menu's "Keine Rechtschreibprüfung" takes them all away.

#include "AppTestSupport.h"

#include "CDocSpelling.h"
#include "CProblemList.h"
#include "CProblemsController.h"

namespace {

using test_tree::Add;

// Rows: 0 Dialoge, 1 Datei, 2 "Dateiein", 3 "Ö&ffnen", 4 Stringtables, 5 ... texts.
std::unique_ptr<CTextNode> GermanTree()
{
    auto root = std::make_unique<CTextNode>(nullptr);
    CTextNode* dialog = Add(Add(root.get(), u"Dialoge", u"Dialoge", 8), u"File", u"Datei", 1);
    Add(dialog, u"Files", u"Dateiein", 23, 200);
    Add(dialog, u"&Open", u"Ö&ffnen", 23, 200);
    CTextNode* table = Add(root.get(), u"Stringtables", u"Stringtables", 10);
    for (int i = 0; i < 2000; ++i)
        Add(table, u"Text", u"Übersetzter Text", 6);
    return root;
}

class SpellingProblemsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        UseEnglish();
        ASSERT_TRUE(Start({WriteLanguage(GermanTree(), u"Deutsch", QStringLiteral("Deutsch.tra"))}));
    }

    CProblemList& List() { return *Frame().GetProblems()->GetList(); }
    int SpellingProblems()
    {
        int count = 0;
        for (int i = 0; i < List().ProblemCount(); ++i)
            count += List().ProblemAt(i)->check == checks::CheckId::Spelling ? 1 : 0;
        return count;
    }
};

TEST_F(SpellingProblemsTest, WholeFileRunJoinsThePaneTypedFixAndNoSpellingTakeThemAway)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return SpellingProblems() > 0; }, 10000));
    EXPECT_FALSE(Frame().GetProblems()->IsSpellingRunning());
    EXPECT_EQ(SpellingProblems(), 1);
    EXPECT_EQ(List().index(0, 1).data().toString(), QStringLiteral("“Dateiein” is not in the dictionary"));
    Frame().GetProblems()->GoToNext();
    EXPECT_EQ(View().GetCurrentRow(), 2);
    EXPECT_EQ(Frame().QueryCommandState(ID_SPELLING_NONE).GetCheck(), 0);

    // Typed right: the row is checked again with its spelling, nothing more.
    CTextNode* node = View().GetRow(2)->node;
    ASSERT_TRUE(Doc().EditText(node, u"Dateien", CTransDoc::TextEditKind::Typing, 8, 7));
    EXPECT_EQ(SpellingProblems(), 0);
    ASSERT_TRUE(Doc().Undo());
    EXPECT_EQ(SpellingProblems(), 1);

    Frame().OnCommand(ID_SPELLING_NONE);
    EXPECT_EQ(Frame().QueryCommandState(ID_SPELLING_NONE).GetCheck(), 1);
    EXPECT_EQ(SpellingProblems(), 0);
    EXPECT_TRUE(CDocSpelling::Of(Doc()).Misspelt(*node).empty());
}

} // namespace
