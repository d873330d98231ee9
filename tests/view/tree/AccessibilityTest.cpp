// What a screen reader learns about the tree: rows made on demand, their
// names, descriptions and states, and the events that follow the user.
#include "TreeViewTestSupport.h"

#include "CTreeAccessible.h"

#include <QAccessible>

namespace {

constexpr int Texts = 100000;

// Rows: 0 Dialoge, 1 Datei öffnen, 2 &OK (a button, to be edited),
// 3 Stringtables, 4 ... "%d Texte 0", "%d Texte 1", ...
std::unique_ptr<CLanguageFile> BigLanguage()
{
    auto root = std::make_unique<CTextNode>(nullptr);
    CTextNode* open = AddNode(AddNode(root.get(), u"Dialoge", 1), u"Datei öffnen", 1);
    AddNode(open, u"&OK", 23, 3)->translatedText = u"&Ja";
    CTextNode* strings = AddNode(root.get(), u"Stringtables", 11);
    for (int i = 0; i < Texts; ++i) {
        const std::u16string number = QString::number(i).toStdU16String();
        AddNode(strings, u"%d Texte " + number, 99);
    }
    return EnglishTestLanguage(std::move(root));
}

struct HeardEvent {
    QAccessible::Event type;
    int child;
};
std::vector<HeardEvent> heard;

void Listen(QAccessibleEvent* event)
{
    heard.push_back({event->type(), event->child()});
}

bool Heard(QAccessible::Event type, int child)
{
    return std::any_of(heard.begin(), heard.end(),
                       [&](const auto& h) { return h.type == type && h.child == child; });
}

class TreeAccessibility : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_old = CTreeAccessible::SetEventObserver(Listen);
        heard.clear();
    }
    void TearDown() override
    {
        CTreeAccessible::SetEventObserver(m_old);
    }
    QAccessible::UpdateHandler m_old = nullptr;
};

} // namespace

TEST_F(TreeAccessibility, AHundredThousandRowsAreDescribedButMadeOnlyWhenAskedFor)
{
    ViewHarness h(*BigLanguage());
    auto* tree = static_cast<CTreeAccessible*>(QAccessible::queryAccessibleInterface(&h.view));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->role(), QAccessible::Tree);
    EXPECT_EQ(tree->text(QAccessible::Name), u"Texte");
    const int widgets = tree->childCount() - (Texts + 4);
    EXPECT_GE(widgets, 1); // the scroll bars and the drawing surface follow the rows

    QAccessibleInterface* ok = tree->child(2);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->role(), QAccessible::TreeItem);
    EXPECT_EQ(ok->text(QAccessible::Name), u"&Ja");
    EXPECT_EQ(ok->text(QAccessible::Description),
              u"Original: &OK, Schaltfläche, zu bearbeiten, Größe begrenzt auf 200 Dialogeinheiten");
    EXPECT_FALSE(ok->state().expandable);
    EXPECT_EQ(tree->indexOfChild(ok), 2);
    EXPECT_EQ(tree->child(2), ok); // the same interface, not a new one

    QAccessibleInterface* last = tree->child(Texts + 3);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->text(QAccessible::Name), u"Platzhalter für eine Zahl %d Texte 99999");
    EXPECT_EQ(last->text(QAccessible::Description), u"Original: %d Texte 99999, String, bearbeitet");
    EXPECT_TRUE(last->state().offscreen);
    EXPECT_EQ(tree->CountRowInterfaces(), 2);

    QAccessibleInterface* strings = tree->child(3);
    EXPECT_TRUE(strings->state().expandable && strings->state().expanded);
    h.view.SetExpanded(3, false);
    EXPECT_TRUE(strings->state().collapsed);
    EXPECT_EQ(tree->childCount(), 4 + widgets);
    EXPECT_TRUE(Heard(QAccessible::StateChanged, 3));
    EXPECT_TRUE(Heard(QAccessible::ObjectReorder, -1));
}

TEST_F(TreeAccessibility, FocusFollowsTheCurrentRowTypingAndMarkingAreHeardAndKeysOpenAndCloseRows)
{
    ViewHarness h(*SmallLanguage());
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(&h.view);
    h.Click(h.PiecePoint(2, 0)); // "&OK", a button of a fixed size
    CInPlaceEdit& editor = *h.view.GetEditor();
    EXPECT_EQ(editor.accessibleName(), u"Übersetzung von: &OK (Größe begrenzt auf 200 Dialogeinheiten)");
    EXPECT_TRUE(Heard(QAccessible::Focus, 2));
    EXPECT_TRUE(tree->child(2)->state().selected);

    heard.clear();
    QTest::keyClick(&editor, Qt::Key_Down);
    EXPECT_EQ(h.view.GetCurrentRow(), 3);
    EXPECT_TRUE(Heard(QAccessible::Focus, 3));
    EXPECT_EQ(tree->focusChild(), tree->child(3));
    EXPECT_EQ(editor.accessibleName(), u"Übersetzung von: Zwei\nZeilen");

    QTest::keyClick(&editor, Qt::Key_X);
    EXPECT_TRUE(Heard(QAccessible::NameChanged, 3));
    EXPECT_TRUE(tree->child(3)->text(QAccessible::Name).contains(u'x'));
    EXPECT_TRUE(tree->child(3)->text(QAccessible::Description).endsWith(u" bearbeitet"));

    h.view.OnMarkAllToDo();
    EXPECT_TRUE(Heard(QAccessible::DescriptionChanged, 3));
    EXPECT_TRUE(tree->child(3)->text(QAccessible::Description).endsWith(u"zu bearbeiten"));
    // A rebuild lets every row interface go.
    h.view.OnUpdate(nullptr, CTransDoc::kHintRebuild);
    EXPECT_EQ(static_cast<CTreeAccessible*>(tree)->CountRowInterfaces(), 0);

    // Keys make the first row current and open and close rows.
    h.view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.view));
    h.view.clearFocus();
    h.view.setFocus(Qt::TabFocusReason);
    EXPECT_EQ(h.view.GetCurrentRow(), 0);
    QTest::keyClick(&h.view, Qt::Key_Minus);
    EXPECT_FALSE(h.Row(0).expanded);
    EXPECT_FALSE(h.view.IsRowShown(1));
    QTest::keyClick(&h.view, Qt::Key_Right); // expands
    QTest::keyClick(&h.view, Qt::Key_Right); // to the first child
    EXPECT_TRUE(h.Row(0).expanded);
    EXPECT_EQ(h.view.GetCurrentRow(), 1);
    QTest::keyClick(&h.view, Qt::Key_Left); // collapses "Datei öffnen"
    QTest::keyClick(&h.view, Qt::Key_Left); // up to "Dialoge"
    EXPECT_FALSE(h.Row(1).expanded);
    EXPECT_EQ(h.view.GetCurrentRow(), 0);
    QTest::keyClick(&h.view, Qt::Key_Down);
    EXPECT_EQ(h.view.GetCurrentRow(), 1);

    // The focus frame: dark dots along the window's top edge, inside the
    // grey around the rows.
    const QImage shot = h.view.viewport()->grab().toImage();
    int dark = 0;
    for (int x = 1; x < shot.width() - 2; ++x)
        dark += qGray(shot.pixel(x, 1)) < 100;
    EXPECT_GT(dark, shot.width() / 4);
    QTest::keyClick(&h.view, Qt::Key_Return);
    EXPECT_NE(h.view.GetEditor()->GetPiece(), nullptr);
}

