// Spelling in the text tree view with the real German dictionary: red wavy
// lines under misspelt words only, a suggestion put in place as one undoable
// step (refused when too wide), accepted words kept across spellers, and a
// language without a dictionary that simply goes without spelling.

#include "CDocSpelling.h"
#include "CProfile.h"
#include "SizeLimit.h"
#include "TreeViewTestSupport.h"

#include <QMenu>
#include <QSignalSpy>

namespace {

// Rows: 0 Dialoge, 1 Datei öffnen, 2 "Dateiein", 3 "Ö&ffnen", 4 "Dat&eiein",
// 5 "Dateiein" on a button just wide enough, 6 Menus, 7 Stringtables, 8 "Halllo".
std::unique_ptr<CLanguageFile> GermanLanguage(const std::u16string& name = u"Deutsch")
{
    auto root = std::make_unique<CTextNode>(nullptr);
    CTextNode* dialogs = AddNode(root.get(), u"Dialoge", 1);
    CTextNode* dialog = AddNode(dialogs, u"Datei öffnen", 1);
    test_tree::Add(dialog, u"Files", u"Dateiein", 6, 200, 0);
    test_tree::Add(dialog, u"&Open", u"Ö&ffnen", 6, 200, 0);
    test_tree::Add(dialog, u"F&iles", u"Dat&eiein", 6, 200, 0);
    int width = 1;
    while (!size_limit::Fits(u"Dateiein", width))
        ++width;
    test_tree::Add(dialog, u"Files", u"Dateiein", 23, width, 0);
    AddNode(root.get(), u"Menus", 8);
    CTextNode* strings = AddNode(root.get(), u"Stringtables", 11);
    test_tree::Add(strings, u"Hello", u"Halllo", 99, 200, 0);
    auto language = EnglishTestLanguage(std::move(root));
    language->SetLanguageName(name);
    return language;
}

class SpellingViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        spelling::SpellingPaths paths = spelling::DefaultPaths();
        paths.wordListDir = m_words.path().toStdString();
        CDocSpelling::SetPaths(paths);
        CProfile::SetFile(m_words.filePath(QStringLiteral("Edit.ini")));
    }
    void TearDown() override
    {
        CDocSpelling::SetPaths(std::nullopt);
        CProfile::SetFile({});
    }

    // The harness once its dictionary is loaded and every row painted with it.
    std::unique_ptr<ViewHarness> Open(const CLanguageFile& language)
    {
        auto harness = std::make_unique<ViewHarness>(language);
        EXPECT_TRUE(QTest::qWaitFor([&] { return CDocSpelling::Of(harness->doc).IsActive(); }));
        harness->view.RepaintAll();
        return harness;
    }

    // Red pixels in the bottom band of a row's first translated piece, as painted.
    static int RedUnder(ViewHarness& h, int row)
    {
        const QImage& image = h.view.GetOffscreenImage();
        const QPoint topLeft = h.PiecePoint(row, 0, 0, 0);
        const CRect& rect = h.Row(row).translatedPieces[0]->rect;
        int red = 0;
        for (int y = topLeft.y() + rect.Height() - 4; y < topLeft.y() + rect.Height(); ++y) {
            for (int x = topLeft.x(); x < topLeft.x() + rect.Width(); ++x)
                red += image.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
        }
        return red;
    }

    // Opens the editor in row with the caret inside its first word.
    static void CaretInto(ViewHarness& h, int row)
    {
        h.Click(h.PiecePoint(row, 0, 8, 4));
        ASSERT_EQ(h.view.GetCurrentRow(), row);
    }

    static QAction* ActionNamed(QMenu& menu, const QString& text)
    {
        for (QAction* action : menu.actions()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }

    QTemporaryDir m_words;
};

TEST_F(SpellingViewTest, MisspeltWordsAreUnderlinedAndAChosenSuggestionIsOneUndoableStep)
{
    auto h = Open(*GermanLanguage());
    // Misspelt words are underlined red in rows and editor, correct ones never.
    EXPECT_GT(RedUnder(*h, 2), 10);  // "Dateiein"
    EXPECT_EQ(RedUnder(*h, 3), 0);   // "Ö&ffnen": the accelerator is read out of the word

    // The in-place editor draws its own line under the word.
    CaretInto(*h, 2);
    const QList<QTextEdit::ExtraSelection> lines = h->view.GetEditor()->extraSelections();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].cursor.selectedText(), QStringLiteral("Dateiein"));
    EXPECT_EQ(lines[0].format.underlineStyle(), QTextCharFormat::WaveUnderline);
    EXPECT_EQ(lines[0].format.underlineColor(), QColor(Qt::red));
    CaretInto(*h, 3);
    EXPECT_TRUE(h->view.GetEditor()->extraSelections().isEmpty());
    EXPECT_EQ(h->view.MakeSpellingMenu(), nullptr); // no menu on a correct word

    // A chosen suggestion is one undoable step keeping the accelerator.
    CTextNode* node = h->Row(4).node;
    CaretInto(*h, 4);
    std::unique_ptr<QMenu> menu = h->view.MakeSpellingMenu();
    ASSERT_NE(menu, nullptr);
    QAction* dateien = ActionNamed(*menu, QStringLiteral("Dateien"));
    ASSERT_NE(dateien, nullptr);
    EXPECT_LE(menu->actions().size(), 8 + 3); // suggestions, a line, two commands

    const int steps = h->doc.GetUndoStack().count();
    dateien->trigger();
    EXPECT_EQ(node->translatedText, u"Dat&eien");
    EXPECT_EQ(h->doc.GetUndoStack().count(), steps + 1);
    EXPECT_EQ(RedUnder(*h, 4), 0);
    EXPECT_TRUE(h->doc.Undo());
    EXPECT_EQ(node->translatedText, u"Dat&eiein");

    // A longer suggestion on a button just wide enough is refused, not cut.
    CaretInto(*h, 5);
    menu = h->view.MakeSpellingMenu();
    ASSERT_NE(menu, nullptr);
    QAction* longer = ActionNamed(*menu, QStringLiteral("Datei ein"));
    ASSERT_NE(longer, nullptr);
    const int index = h->doc.GetUndoStack().index();
    longer->trigger();
    EXPECT_EQ(h->Row(5).node->translatedText, u"Dateiein");
    EXPECT_EQ(h->doc.GetUndoStack().index(), index);
    EXPECT_EQ(h->status.GetPaneText(0), u"Der Text hat eine beschränkte Länge: die Änderung passt nicht in sein Feld.");
}

TEST_F(SpellingViewTest, AddedWordOutlivesTheSpellerIgnoredWordOnlyTheFile)
{
    auto h = Open(*GermanLanguage());
    const auto choose = [&](int row, const QString& command) {
        CaretInto(*h, row);
        std::unique_ptr<QMenu> menu = h->view.MakeSpellingMenu();
        ASSERT_NE(menu, nullptr);
        ActionNamed(*menu, command)->trigger();
    };
    choose(2, QStringLiteral("In dieser Datei ignorieren"));
    EXPECT_EQ(RedUnder(*h, 2), 0);
    EXPECT_TRUE(CDocSpelling::Of(h->doc).Misspelt(*h->Row(4).node).empty()); // "Dat&eiein" too
    choose(8, QStringLiteral("Zum Wörterbuch hinzufügen"));
    EXPECT_EQ(RedUnder(*h, 8), 0);

    const spelling::CSpeller restarted(u"de_DE", CDocSpelling::Paths());
    EXPECT_TRUE(restarted.IsCorrect(u"Halllo"));
    EXPECT_FALSE(restarted.IsCorrect(u"Dateiein"));
}

TEST_F(SpellingViewTest, NoDictionaryIsNoSpellingSaidOnceAndAChoiceIsRemembered)
{
    ViewHarness h(*GermanLanguage(u"Klingonisch"));
    CDocSpelling& spelling = CDocSpelling::Of(h.doc);
    QSignalSpy said(&spelling, &CDocSpelling::NoDictionary);
    EXPECT_FALSE(spelling.IsActive());
    EXPECT_TRUE(spelling.Code().empty());
    EXPECT_TRUE(spelling.Misspelt(*h.Row(2).node).empty());
    EXPECT_EQ(RedUnder(h, 2), 0);
    // Typing the language's name says nothing more, key by key.
    h.doc.SetLanguageName(u"Klingonisc");
    h.doc.SetLanguageName(u"Klingonis");
    EXPECT_EQ(said.count(), 0);

    // The user's choice for the file wins over the name, and is kept by path.
    spelling.Choose("de_DE");
    EXPECT_TRUE(QTest::qWaitFor([&] { return spelling.IsActive(); }));
    EXPECT_EQ(spelling.Misspelt(*h.Row(2).node).size(), 1u);
    CTransDoc other;
    std::u16string path = h.path.toStdU16String();
    other.SetStartupFileSource(&path);
    ASSERT_TRUE(other.OpenLanguage());
    EXPECT_EQ(CDocSpelling::Of(other).Code(), "de_DE");
    spelling.Choose({});
    EXPECT_FALSE(spelling.IsActive());
}

} // namespace
