// The in-place editor inside a real view over a real document: keys at the
// edges of pieces, placeholders that cannot be broken, lines split and
// joined, the width rule, commits, original-language files, input methods
// and surrogate pairs.
#include "CInPlaceEdit.h"
#include "CMyEditView.h"
#include "CPlaceholderPiece.h"
#include "CStatusBar.h"
#include "CTextPiece.h"
#include "CTextRow.h"
#include "DocumentAndView.h"
#include "DialogScript.h"
#include "Pieces.h"
#include "TestTree.h"
#include "QtStrings.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>

#include <array>

namespace {

QString Q(const char16_t* text) { return QString::fromUtf16(text); }

// Rows of the test language, in the view's order.
enum Row { Dialogs, Dialog, Free, Format, TwoLines, Limited, LimitedTwoLines, Next };

// A text still to be edited, the same in both languages.
CTextNode* Leaf(CTextNode* parent, const std::u16string& text, int kind, int width = 0)
{
    return test_tree::Add(parent, text, text, kind, width, 3);
}

std::unique_ptr<CLanguageFile> TestLanguage(bool original)
{
    auto root = std::make_unique<CTextNode>(nullptr);
    CTextNode* dialogs = Leaf(root.get(), u"Dialoge", 99);
    Leaf(root.get(), u"Menus", 99);
    Leaf(root.get(), u"Stringtables", 99);
    CTextNode* dialog = Leaf(dialogs, u"Optionen", 1);
    Leaf(dialog, u"Datei \u00F6ffnen", 11);
    Leaf(dialog, u"Hallo %s!", 6);
    Leaf(dialog, u"eins\nzwei %d drei", 6);
    Leaf(dialog, u"OK", 23, 30);
    Leaf(dialog, u"a\nb", 22, 200);
    Leaf(dialog, u"Weiter", 6);
    for (CTextNode* inner : {dialogs, dialog, root->GetChild(1), root->GetChild(2)})
        inner->editState = 0;
    root->UpdateStates();
    auto language = std::make_unique<CLanguageFile>(std::move(root));
    language->SetProgramName(u"Test");
    language->SetProgramVersion(u"1.0");
    language->SetLanguageName(u"Deutsch");
    language->SetOriginal(original);
    return language;
}

// The view over the test language, opened before each test.
class InPlaceEdit : public ::testing::Test, protected DocumentAndView<CMyEditView> {
protected:
    void SetUp() override { Open(false); }
    void Open(bool original)
    {
        DocumentAndView::Open(*TestLanguage(original), {640, 400});
        ASSERT_GE(view->GetRowCount(), int(Next) + 1);
        statusBar.SetIndicators(std::array<UINT, 1>{0});
        view->SetStatusBar(&statusBar);
    }

    void TearDown() override { view.reset(); }

    // Makes row the current one with the editor open at its start or end.
    void OpenRow(Row row, bool atStart)
    {
        view->SetCurrentRow(int(row));
        view->OpenEditorInCurrentRow(atStart, atStart);
        ASSERT_NE(Edit()->GetPiece(), nullptr);
    }

    CInPlaceEdit* Edit() const { return view->GetEditor(); }
    CTextRow* RowAt(Row row) const { return view->GetRow(int(row)); }
    CTextNode* Node(Row row) const { return RowAt(row)->node; }
    const PieceList& Pieces(Row row) const { return RowAt(row)->translatedPieces; }
    int PieceIndex(Row row) const
    {
        const PieceList& list = Pieces(row);
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i].get() == Edit()->GetPiece())
                return int(i);
        }
        return -1;
    }
    int Caret() const
    {
        int start = 0;
        int end = 0;
        Edit()->GetSel(start, end);
        return end;
    }

    void Key(int key, const QString& text = {}, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(Edit(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(Edit(), &release);
    }
    void Type(const QString& text)
    {
        for (const QChar c : text)
            Key(0, QString(c));
    }
    std::u16string Compose(Row row) const { return pieces::ComposeText(Pieces(row)); }

    CStatusBar statusBar;
    DialogScript script; // answers and records the questions of an original file
};

// The same over an original-language file.
class InPlaceEditOriginal : public InPlaceEdit {
protected:
    void SetUp() override { Open(true); }
};

TEST_F(InPlaceEdit, TypingCommitsMarksDoneUpTheTreeAndSetsModified)
{
    EXPECT_FALSE(doc.IsLanguageModified());
    EXPECT_EQ(Node(Dialog)->editState, 2u); // done itself, something below
    OpenRow(Free, false);
    EXPECT_EQ(Caret(), 12);
    Type(Q(u"!"));
    EXPECT_EQ(Edit()->GetPiece()->text, u"Datei \u00F6ffnen!");
    EXPECT_EQ(Node(Free)->editState, 0u);
    EXPECT_TRUE(doc.IsLanguageModified());
    // The document holds the text at once.
    EXPECT_EQ(Node(Free)->translatedText, u"Datei \u00F6ffnen!");
    // The last text done turns its parents' icons to done.
    for (Row row : {Format, TwoLines, Limited, LimitedTwoLines, Next}) {
        OpenRow(row, true);
        Type(Q(u"x"));
    }
    EXPECT_EQ(Node(Dialog)->editState, 1u);
    EXPECT_EQ(Node(Dialogs)->editState, 1u);
}

TEST_F(InPlaceEdit, MovingKeysSkipPlaceholdersAndCrossRowsAndTheEditorWidensAhead)
{
    OpenRow(Format, true);
    ASSERT_EQ(Pieces(Format).size(), 3u);
    Key(Qt::Key_End);
    EXPECT_EQ(Caret(), 6);
    Key(Qt::Key_Right);
    EXPECT_EQ(PieceIndex(Format), 2);
    EXPECT_EQ(Caret(), 0);
    EXPECT_EQ(RowAt(Format)->currentPiece, 2);
    Key(Qt::Key_Left);
    EXPECT_EQ(PieceIndex(Format), 0);
    EXPECT_EQ(Caret(), 6);
    // At a row's edges the keys move to the neighbour rows.
    OpenRow(Format, true);
    Key(Qt::Key_Left);
    EXPECT_EQ(view->GetCurrentRow(), int(Free));
    EXPECT_EQ(Caret(), 12); // end of the previous row's last piece
    Key(Qt::Key_Right);
    EXPECT_EQ(view->GetCurrentRow(), int(Format));
    EXPECT_EQ(PieceIndex(Format), 0);
    EXPECT_EQ(Caret(), 0);
    // Up and Down go by lines.
    OpenRow(TwoLines, false); // last piece: " drei" on line 1
    EXPECT_EQ(PieceIndex(TwoLines), 3);
    Key(Qt::Key_Up);
    EXPECT_EQ(PieceIndex(TwoLines), 0);
    EXPECT_EQ(Caret(), 0);
    Key(Qt::Key_Down);
    EXPECT_EQ(PieceIndex(TwoLines), 1);
    Key(Qt::Key_Down); // last line: the next row, at its start
    EXPECT_EQ(view->GetCurrentRow(), int(Limited));
    EXPECT_EQ(PieceIndex(Limited), 0);
    Key(Qt::Key_Up); // line 0: the previous row's last line, first piece
    EXPECT_EQ(view->GetCurrentRow(), int(TwoLines));
    EXPECT_EQ(PieceIndex(TwoLines), 1);
    EXPECT_EQ(Caret(), 0);
    EXPECT_FALSE(doc.IsLanguageModified());
    // The editor widens before a character is shown.
    OpenRow(Free, false);
    const CRect before = Edit()->GetRect();
    EXPECT_EQ(Edit()->PredictSize(u"WW"), before) << "it answers the place it had";
    EXPECT_EQ(Edit()->GetRect().left, before.left);
    EXPECT_GT(Edit()->GetRect().Width(), before.Width());
}

TEST_F(InPlaceEdit, BackspaceAndDeleteNeverBreakAPlaceholder)
{
    // Keys that change nothing leave the text to be edited.
    OpenRow(Format, false);
    Key(Qt::Key_Home);
    Key(Qt::Key_Backspace, Q(u"\b")); // at a placeholder
    Key(Qt::Key_Escape, Q(u"\x1b"));
    for (const auto& [key, text] : {std::pair{Qt::Key_A, u"\x01"}, {Qt::Key_C, u"\x03"},
                                    {Qt::Key_F, u"\x06"}, {Qt::Key_Z, u"\x1a"}})
        Key(key, Q(text), Qt::ControlModifier);
    EXPECT_EQ(Node(Format)->editState, 3u);
    EXPECT_FALSE(doc.IsLanguageModified());
    OpenRow(Format, false); // end of "!"
    Key(Qt::Key_Home);
    Key(Qt::Key_Backspace, Q(u"\b"));
    ASSERT_EQ(Pieces(Format).size(), 3u);
    EXPECT_EQ(Pieces(Format)[1]->text, u"%s");
    EXPECT_EQ(PieceIndex(Format), 2);
    EXPECT_EQ(Caret(), 0);

    Key(Qt::Key_Left);
    EXPECT_EQ(PieceIndex(Format), 0);
    Key(Qt::Key_Delete, Q(u"\x7f"));
    ASSERT_EQ(Pieces(Format).size(), 3u);
    EXPECT_EQ(PieceIndex(Format), 0);
    EXPECT_EQ(Caret(), 6);
    EXPECT_EQ(Compose(Format), u"Hallo %s!");
    EXPECT_FALSE(doc.IsLanguageModified());
    // A selection deleted up to a placeholder is a change.
    OpenRow(Format, true); // "Hallo " before %s
    Edit()->SetSel(2, 6);
    Key(Qt::Key_Delete, Q(u"\x7f"));
    EXPECT_EQ(Compose(Format), u"Ha%s!");
    EXPECT_EQ(Pieces(Format)[1]->text, u"%s");
    EXPECT_TRUE(doc.IsLanguageModified());
}

TEST_F(InPlaceEdit, EnterSplitsAFreeSizeLineAndDropsTheSelection)
{
    OpenRow(Free, true);
    const int heightBefore = RowAt(Free)->rowRect.Height();
    Edit()->SetSel(5, 6);
    Key(Qt::Key_Return, Q(u"\r"));
    ASSERT_EQ(Pieces(Free).size(), 2u);
    EXPECT_EQ(Pieces(Free)[0]->text, u"Datei");
    EXPECT_EQ(Pieces(Free)[1]->text, u"\u00F6ffnen");
    EXPECT_EQ(Pieces(Free)[1]->line, 1);
    EXPECT_EQ(PieceIndex(Free), 1);
    EXPECT_EQ(Caret(), 0);
    EXPECT_GT(RowAt(Free)->rowRect.Height(), heightBefore);
    EXPECT_EQ(Compose(Free), u"Datei\n\u00F6ffnen");
    // Splitting commits nothing (the text stays to be edited), but the text
    // changed: closing must ask.
    EXPECT_EQ(Node(Free)->editState, 3u);
    EXPECT_TRUE(doc.IsLanguageModified());
}

TEST_F(InPlaceEdit, BackspaceAtALinesStartJoinsWithoutSpace)
{
    OpenRow(TwoLines, true);
    Key(Qt::Key_Down);
    EXPECT_EQ(PieceIndex(TwoLines), 1);
    EXPECT_EQ(Pieces(TwoLines)[1]->line, 1);
    Key(Qt::Key_Backspace, Q(u"\b"));
    EXPECT_EQ(Compose(TwoLines), u"einszwei %d drei");
    EXPECT_EQ(PieceIndex(TwoLines), 0);
    EXPECT_EQ(Caret(), 4);
    EXPECT_EQ(pieces::LineCount(Pieces(TwoLines)), 1);
    EXPECT_EQ(Node(TwoLines)->editState, 0u);
    EXPECT_TRUE(doc.IsLanguageModified());
}

TEST_F(InPlaceEdit, DeleteAtALinesEndJoinsWithoutCommitting)
{
    OpenRow(TwoLines, true);
    Key(Qt::Key_End);
    Key(Qt::Key_Delete, Q(u"\x7f"));
    EXPECT_EQ(Compose(TwoLines), u"einszwei %d drei");
    EXPECT_EQ(Caret(), 4);
    // Not done, but changed.
    EXPECT_TRUE(doc.IsLanguageModified());
    EXPECT_EQ(Node(TwoLines)->editState, 3u);
    // Inside the text Delete is the control's, committed when the key goes up.
    Key(Qt::Key_Delete, Q(u"\x7f"));
    EXPECT_EQ(Edit()->GetPiece()->text, u"einswei ");
    EXPECT_TRUE(doc.IsLanguageModified());
}

TEST_F(InPlaceEdit, SizeLimitedTextKeepsItsLineCount)
{
    OpenRow(LimitedTwoLines, true);
    Key(Qt::Key_Return, Q(u"\r"));
    EXPECT_EQ(Compose(LimitedTwoLines), u"a\nb");
    Key(Qt::Key_End);
    Key(Qt::Key_Delete, Q(u"\x7f"));
    EXPECT_EQ(Compose(LimitedTwoLines), u"ab");
    // One line fewer than it was built with: one Enter is possible again.
    Key(Qt::Key_Return, Q(u"\r"));
    EXPECT_EQ(Compose(LimitedTwoLines), u"a\nb");
    Key(Qt::Key_Home);
    Key(Qt::Key_Return, Q(u"\r"));
    EXPECT_EQ(Compose(LimitedTwoLines), u"a\nb");
}

TEST_F(InPlaceEdit, TooWideTextIsRefusedTypedOrReplaced)
{
    OpenRow(Limited, false);
    int refused = 0;
    for (int i = 0; i < 20; ++i) {
        const std::u16string before = Edit()->GetPiece()->text;
        Type(Q(u"W"));
        const std::u16string now = Edit()->GetPiece()->text;
        EXPECT_EQ(Edit()->GetWindowText(), now) << "a refused key leaves no trace in the control";
        refused += now == before;
    }
    // A button of 30 dialog units holds a few more letters, not twenty.
    EXPECT_GT(refused, 0);
    EXPECT_LT(refused, 20);
    EXPECT_EQ(statusBar.GetPaneText(0),
              u"Der Text hat eine beschränkte Länge: die Änderung passt nicht in sein Feld.");
    EXPECT_FALSE(CInPlaceEdit::FitsWidth(u"", 0)) << "nothing fits a control of no width";
    // Replacing a selection honours the width rule too.
    OpenRow(Free, true);
    Edit()->SetSel(0, 5);
    const auto matches = [](const std::u16string& s) { return s == u"Datei"; };
    EXPECT_TRUE(Edit()->ReplaceSelection(u"Ordner", matches));
    EXPECT_EQ(Edit()->GetPiece()->text, u"Ordner \u00F6ffnen");
    OpenRow(Limited, true);
    const std::u16string limited = Edit()->GetPiece()->text;
    Edit()->SetSel(0, 2);
    EXPECT_FALSE(Edit()->ReplaceSelection(u"Sehr sehr langer Text",
                                          [](const std::u16string&) { return true; }));
    EXPECT_EQ(Edit()->GetPiece()->text, limited);
}

TEST_F(InPlaceEditOriginal, AsksInsteadOfEditingAndJaReplacesTheEditorSafely)
{
    script.boxAnswers = {IDNO, IDNO, IDNO, IDNO};
    // Even with no piece attached a typed key asks first; Delete and moving keys ask nothing.
    ASSERT_EQ(Edit()->GetPiece(), nullptr);
    Type(Q(u"x"));
    Key(Qt::Key_Delete, Q(u"\x7f"));
    Key(Qt::Key_Left);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_NE(script.messages[0].find(u"Original-Sprachdatei"), std::u16string::npos);

    OpenRow(Free, false);
    EXPECT_TRUE(Edit()->IsReadOnlyText());
    Type(Q(u"x"));
    EXPECT_EQ(script.messages.size(), 2u);
    Key(Qt::Key_Backspace, Q(u"\b"));
    EXPECT_EQ(script.messages.size(), 3u);
    Key(Qt::Key_Delete, Q(u"\x7f"));
    Key(Qt::Key_Return, Q(u"\r"));
    EXPECT_EQ(script.messages.size(), 4u);
    EXPECT_EQ(Edit()->GetWindowText(), u"Datei \u00F6ffnen");
    EXPECT_EQ(Compose(Free), u"Datei \u00F6ffnen");
    EXPECT_EQ(Node(Free)->editState, 3u);
    EXPECT_FALSE(doc.IsLanguageModified());
    // Moving works as usual.
    Key(Qt::Key_Left);
    EXPECT_EQ(Caret(), 11);

    // Ja: a new translation started from a key replaces the editor safely.
    script.messages.clear();
    script.boxAnswers = {IDYES};
    OpenRow(Free, false);
    QPointer<CInPlaceEdit> old(Edit());
    Type(Q(u"x"));
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_FALSE(doc.IsOriginal());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
    // The new editor edits the new translation.
    OpenRow(Free, false);
    EXPECT_FALSE(Edit()->IsReadOnlyText());
    Type(Q(u"x"));
    EXPECT_EQ(Edit()->GetPiece()->text, u"Datei \u00F6ffnenx");
}

TEST_F(InPlaceEdit, InputMethodsAndDeadKeysReachThePiece)
{
    OpenRow(Next, false);
    QInputMethodEvent preedit(Q(u"\u304B"), {});
    QApplication::sendEvent(Edit(), &preedit);
    EXPECT_EQ(Edit()->GetPiece()->text, u"Weiter");
    EXPECT_FALSE(doc.IsLanguageModified());

    QInputMethodEvent commit;
    commit.setCommitString(Q(u"\u65E5\u672C\u8A9E"));
    QApplication::sendEvent(Edit(), &commit);
    EXPECT_EQ(Edit()->GetPiece()->text, u"Weiter\u65E5\u672C\u8A9E");
    EXPECT_EQ(Edit()->GetWindowText(), u"Weiter\u65E5\u672C\u8A9E");
    EXPECT_TRUE(doc.IsLanguageModified());
    EXPECT_EQ(Node(Next)->editState, 0u);

    // A dead key alone changes nothing; the composed character and other scripts arrive.
    Key(Qt::Key_Dead_Acute);
    EXPECT_EQ(Edit()->GetPiece()->text, u"Weiter\u65E5\u672C\u8A9E");
    Key(Qt::Key_Eacute, Q(u"\u00E9"));
    Type(Q(u"\u0645\u0631\u062D"));
    EXPECT_EQ(Edit()->GetPiece()->text, u"Weiter\u65E5\u672C\u8A9E\u00E9\u0645\u0631\u062D");
}

TEST_F(InPlaceEdit, SurrogatePairsAreNeverSplit)
{
    OpenRow(Next, false);
    Key(0, Q(u"\U0001F600"));
    Type(Q(u"x"));
    EXPECT_EQ(Edit()->GetPiece()->text, u"Weiter\U0001F600x");
    // A caret put between the halves stands behind the pair.
    Edit()->SetSel(7, 7);
    EXPECT_EQ(Caret(), 8);
    Key(Qt::Key_Left);
    EXPECT_EQ(Caret(), 6);
    Key(Qt::Key_Right);
    EXPECT_EQ(Caret(), 8);
    Key(Qt::Key_Backspace, Q(u"\b"));
    EXPECT_EQ(Edit()->GetPiece()->text, u"Weiterx");
    Key(0, Q(u"\U00020000"));
    Key(Qt::Key_Left);
    Key(Qt::Key_Delete, Q(u"\x7f"));
    EXPECT_EQ(Edit()->GetPiece()->text, u"Weiterx");
}

TEST_F(InPlaceEdit, BackspaceJoinRefusedByTheWidthRuleStillCounts)
{
    OpenRow(LimitedTwoLines, false); // "b" on line 1 of a size-limited text
    Node(LimitedTwoLines)->width = 1; // nothing fits: every commit is refused
    Key(Qt::Key_Home);
    Key(Qt::Key_Backspace, Q(u"\b"));
    EXPECT_EQ(pieces::LineCount(Pieces(LimitedTwoLines)), 1);
    EXPECT_TRUE(doc.IsLanguageModified());
}

TEST_F(InPlaceEdit, PastedLinesFollowTheRulesOfEnter)
{
    // A free-size text: each line break splits the line.
    OpenRow(Free, true);
    Edit()->SetSel(0, 5); // "Datei"
    QApplication::clipboard()->setText(Q(u"Neue\r\nzweite\nZeile"));
    Key(Qt::Key_V, Q(u"\x16"), Qt::ControlModifier);
    EXPECT_EQ(Compose(Free), u"Neue\nzweite\nZeile \u00F6ffnen");
    EXPECT_EQ(Edit()->GetWindowText(), u"Zeile \u00F6ffnen");
    EXPECT_EQ(Caret(), 5);
    EXPECT_EQ(Node(Free)->editState, 0u);
    EXPECT_TRUE(doc.IsLanguageModified());
    for (const auto& piece : Pieces(Free))
        EXPECT_EQ(piece->text.find_first_of(u"\r\n"), std::u16string::npos);

    // A size-limited text of two lines may not gain one: the breaks are refused.
    OpenRow(LimitedTwoLines, true);
    QApplication::clipboard()->setText(Q(u"x\ny"));
    Key(Qt::Key_V, Q(u"\x16"), Qt::ControlModifier);
    EXPECT_EQ(pieces::LineCount(Pieces(LimitedTwoLines)), 2);
    EXPECT_EQ(Compose(LimitedTwoLines), u"xya\nb");

    // A paste from elsewhere (the selection clipboard) takes the same way;
    // no-break spaces survive the control.
    OpenRow(Next, false);
    auto data = std::make_unique<QMimeData>();
    data->setText(Q(u" \u00A01\n2"));
    QApplication::clipboard()->setMimeData(data.release());
    QMetaObject::invokeMethod(Edit(), "paste");
    EXPECT_EQ(Compose(Next), u"Weiter \u00A01\n2");
}

TEST_F(InPlaceEdit, FontsDialogKeepsWhatWasTypedAndTheOutlineIsDrawnWhole)
{
    OpenRow(Free, false);
    Type(Q(u" jetzt"));
    script.fontsAnswers = {IDOK};
    doc.ChooseFonts();
    EXPECT_EQ(Node(Free)->translatedText, u"Datei \u00F6ffnen jetzt");
    EXPECT_EQ(view->GetRow(int(Free))->ComposeTranslated(), u"Datei \u00F6ffnen jetzt");
    EXPECT_EQ(Node(Free)->editState, 0u);

    // The outline is drawn whole: its right side at x = w + 1 lies inside the
    // editor window.
    OpenRow(Next, false);
    view->RepaintAll();
    QApplication::processEvents();
    const QImage picture = Edit()->grab().toImage();
    const int w = Edit()->GetRect().Width();
    const int h = Edit()->GetRect().Height();
    ASSERT_GT(picture.width(), w + 1);
    ASSERT_GT(picture.height(), h + 1);
    int black = 0;
    for (int y = 2; y <= h; ++y)
        black += picture.pixelColor(w + 1, y) == QColor(Qt::black);
    EXPECT_EQ(black, h - 1) << "right side";
    int bottom = 0;
    for (int x = 1; x < w; ++x)
        bottom += picture.pixelColor(x, h + 1) == QColor(Qt::black);
    EXPECT_EQ(bottom, w - 1) << "bottom side (the row's last line)";
}

} // namespace
