// The translation checks, one rule at a time, on small trees.

#include "CTranslationChecker.h"

#include "TestTree.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using test_tree::Add;
using checks::CheckId;
using checks::CTranslationChecker;
using checks::TranslationProblem;

// The checks found on the one node that holds original -> translated.
std::vector<CheckId> ChecksOf(std::u16string original, std::u16string translated,
                              std::int32_t kindCode = 21)
{
    test_tree::Tree tree;
    Add(tree.Dialog(), std::move(original), std::move(translated), kindCode);
    std::vector<CheckId> ids;
    for (const TranslationProblem& problem : CTranslationChecker().CheckTree(*tree.root))
        ids.push_back(problem.check);
    return ids;
}

bool Reports(CheckId check, std::u16string original, std::u16string translated)
{
    const auto ids = ChecksOf(std::move(original), std::move(translated));
    return std::find(ids.begin(), ids.end(), check) != ids.end();
}

TEST(FormatCheck, ConversionsMustAgreeInNumberKindAndOrder)
{
    // "%%" is no conversion, wherever the space goes.
    EXPECT_FALSE(Reports(CheckId::Format, u"%d%%", u"%d %%"));
    // Flags, width and precision may differ.
    EXPECT_FALSE(Reports(CheckId::Format, u"%-5.2f", u"%5.2f"));
    EXPECT_FALSE(Reports(CheckId::Format, u"Datei %s, Zeile %d", u"File %s, line %5d"));
    // A 64-bit integer is another kind than an int.
    EXPECT_TRUE(Reports(CheckId::Format, u"%I64d", u"%d"));
    EXPECT_FALSE(Reports(CheckId::Format, u"%I64d", u"%lld"));
    EXPECT_TRUE(Reports(CheckId::Format, u"%s %d", u"%d %s"));
    EXPECT_TRUE(Reports(CheckId::Format, u"%s %d", u"%s"));
    EXPECT_TRUE(Reports(CheckId::Format, u"%s", u"%s %s"));
    EXPECT_TRUE(Reports(CheckId::Format, u"%d", u"%c"));
    // Conversions the safe formatting refuses.
    EXPECT_TRUE(Reports(CheckId::Format, u"%s", u"%s%n"));
    EXPECT_TRUE(Reports(CheckId::Format, u"%d", u"%99999d"));
    EXPECT_TRUE(Reports(CheckId::Format, u"100%%", u"100 %"));
    EXPECT_FALSE(Reports(CheckId::Format, u"Kein Format", u"No format"));
}

TEST(FormatCheck, MessageNamesBothConversionLists)
{
    test_tree::Tree tree;
    Add(tree.Dialog(), u"%s: %d", u"%d: %s");
    const auto problems = CTranslationChecker().CheckTree(*tree.root);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].GetSeverity(), checks::Severity::Error);
    EXPECT_EQ(checks::DescribeProblem(problems[0]),
              u"the conversions \"%d %s\" differ from the original's \"%s %d\"");
}

TEST(AcceleratorCheck, OneMarkerMustStayOne)
{
    EXPECT_FALSE(Reports(CheckId::Accelerator, u"&Datei", u"&File"));
    EXPECT_TRUE(Reports(CheckId::Accelerator, u"&Datei", u"File"));
    EXPECT_TRUE(Reports(CheckId::Accelerator, u"&Datei", u"&Fi&le"));
    EXPECT_TRUE(Reports(CheckId::Accelerator, u"Datei", u"&File"));
    EXPECT_FALSE(Reports(CheckId::Accelerator, u"Datei", u"File"));
    // "&&" is an ampersand shown, no marker.
    EXPECT_FALSE(Reports(CheckId::Accelerator, u"Drag && Drop", u"Ziehen && Ablegen"));
    EXPECT_TRUE(Reports(CheckId::Accelerator, u"&Sichern", u"Save && Close"));
    EXPECT_FALSE(Reports(CheckId::Accelerator, u"&Sichern && Schließen", u"&Save && Close"));
    // A marker before a non-ASCII letter, and a lone "&" at the end.
    EXPECT_FALSE(Reports(CheckId::Accelerator, u"&Open", u"&Öffnen"));
    EXPECT_FALSE(Reports(CheckId::Accelerator, u"Rock", u"Rock &"));
}

TEST(LinesCheck, LineBreaksAreCounted)
{
    EXPECT_FALSE(Reports(CheckId::Lines, u"a\nb", u"x\ny"));
    EXPECT_FALSE(Reports(CheckId::Lines, u"a\r\nb", u"x\r\ny"));
    EXPECT_TRUE(Reports(CheckId::Lines, u"a\nb", u"x y"));
    EXPECT_TRUE(Reports(CheckId::Lines, u"a", u"x\n"));
}

TEST(WhitespaceCheck, BlanksAtBothEndsMustAgree)
{
    EXPECT_FALSE(Reports(CheckId::Whitespace, u"Name: ", u"Nom: "));
    EXPECT_TRUE(Reports(CheckId::Whitespace, u"Name: ", u"Nom:"));
    EXPECT_TRUE(Reports(CheckId::Whitespace, u"\tName", u"Nom"));
    EXPECT_TRUE(Reports(CheckId::Whitespace, u" Name", u"\tNom"));
    EXPECT_FALSE(Reports(CheckId::Whitespace, u"a  b", u"x y"));
}

TEST(Checks, OnlyChangedTextsBelowTheTopNodesAreChecked)
{
    test_tree::Tree tree;
    tree.dialogs->translatedText = u"%d";  // a top node
    CTextNode* dialog = tree.Dialog(u"%s");
    dialog->translatedText = u"%s %s";     // checked: below a top node
    Add(dialog, u"&Datei %d", u"&Datei %d"); // unchanged: not checked
    const auto problems = CTranslationChecker().CheckTree(*tree.root);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].node, dialog);
}

TEST(Checks, ProblemsComeInTreeOrderAndCheckOrder)
{
    test_tree::Tree tree;
    CTextNode* dialog = tree.Dialog();
    CTextNode* first = Add(dialog, u"&Name: %s", u" Nom %d\n");
    CTextNode* second = Add(dialog, u"Wert", u"Valeur ");
    CTextNode* string = tree.String(u"%d Texte", u"texts");
    const auto problems = CTranslationChecker().CheckTree(*tree.root);
    std::vector<std::pair<const CTextNode*, CheckId>> seen;
    for (const auto& problem : problems)
        seen.emplace_back(problem.node, problem.check);
    const std::vector<std::pair<const CTextNode*, CheckId>> expected{
        {first, CheckId::Format},      {first, CheckId::Accelerator},
        {first, CheckId::Lines},       {first, CheckId::Whitespace},
        {second, CheckId::Whitespace}, {string, CheckId::Format}};
    EXPECT_EQ(seen, expected);
}

TEST(ClashCheck, SameLetterOnlyInTheTranslationIsReportedOnTheLaterChild)
{
    test_tree::Tree tree;
    CTextNode* menu = Add(tree.menus, u"Menü 128", u"Menu 128", 3);
    CTextNode* popup = Add(menu, u"&Datei", u"&File", 4);
    Add(popup, u"&Öffnen", u"&Open", 5);
    Add(popup, u"&Drucken", u"&Print", 5);
    Add(popup, u"S&chließen", u"&close", 5);
    CTextNode* order = Add(popup, u"&Ordnen", u"&Order", 5); // "O" as "&Open"
    const auto problems = CTranslationChecker().CheckTree(*tree.root);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].node, order);
    EXPECT_EQ(problems[0].check, CheckId::AcceleratorClash);
    EXPECT_EQ(checks::DescribeProblem(problems[0]),
              u"the accelerator letter O is also used by \"&Open\"");
}

TEST(ClashCheck, CaseAndAccentsAndOriginalClashes)
{
    test_tree::Tree tree;
    CTextNode* dialog = tree.Dialog();
    // Compared without case, also for letters beyond ASCII.
    Add(dialog, u"&Ja", u"&Är", 23);
    CTextNode* second = Add(dialog, u"&Nein", u"&är nicht", 23);
    // Originals that clashed already: not the translation's fault.
    CTextNode* other = tree.Dialog(u"Zweiter");
    Add(other, u"&Drucken", u"&Print");
    Add(other, u"&Datei", u"&Pfile");
    // Untranslated children take part: their letter is the original's.
    CTextNode* third = tree.Dialog(u"Dritter");
    Add(third, u"&Hilfe", u"&Hilfe");
    CTextNode* late = Add(third, u"&Zurück", u"&Heim");
    const auto problems = CTranslationChecker().CheckTree(*tree.root);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].node, second);
    EXPECT_EQ(problems[0].translatedDetail, u"ä");
    EXPECT_EQ(problems[1].node, late);
}

TEST(ClashCheck, OncePerPairAndNotInStringTablesOrBetweenDialogs)
{
    test_tree::Tree tree;
    CTextNode* dialog = tree.Dialog();
    Add(dialog, u"&Eins", u"&One");
    Add(dialog, u"&Zwei", u"&Other");
    CTextNode* third = Add(dialog, u"&Drei", u"&Oh");
    tree.String(u"&Eins", u"&One");
    tree.String(u"&Zwei", u"&Other");
    Add(tree.dialogs, u"&Titel", u"&One", 1);
    const auto problems = CTranslationChecker().CheckTree(*tree.root);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].node, dialog->GetChild(1));
    EXPECT_EQ(problems[1].node, third);
    EXPECT_EQ(problems[1].originalDetail, u"&One");
    EXPECT_EQ(problems[2].node, third);
    EXPECT_EQ(problems[2].originalDetail, u"&Other");
}

checks::SizeRule TenPixelsPerCharacter()
{
    return {[](std::int32_t kind) { return kind == 23; },
            [](std::u16string_view line, std::int32_t width) {
                return std::int32_t(line.size()) * 10 < width;
            }};
}

TEST(WidthCheck, EachLineOfASizeLimitedTextMustFit)
{
    test_tree::Tree tree;
    CTextNode* dialog = tree.Dialog();
    Add(dialog, u"OK", u"Okay", 23, 41);                     // 40 < 41
    CTextNode* wide = Add(dialog, u"OK", u"Okay!", 23, 50); // 50 is not below 50
    Add(dialog, u"Text", u"Long label text", 21, 10);         // free size
    CTextNode* lines = Add(dialog, u"a\nb", u"abc\r\nabcdef", 23, 60);
    Add(dialog, u"a\nb", u"abcde\r\n", 23, 51);
    const auto problems = CTranslationChecker(TenPixelsPerCharacter()).CheckTree(*tree.root);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].node, wide);
    EXPECT_EQ(problems[0].check, CheckId::Width);
    EXPECT_EQ(checks::DescribeProblem(problems[0]), u"too wide for its control of 50 dialog units");
    EXPECT_EQ(problems[1].node, lines);
    EXPECT_EQ(problems[1].check, CheckId::Width);
    // Without a size rule the width is not checked.
    EXPECT_TRUE(CTranslationChecker().CheckTree(*tree.root).empty());
}

TEST(Recheck, OnlyTheNodeAndItsSiblingsAreChecked)
{
    test_tree::Tree tree;
    for (int d = 0; d < 50; ++d) {
        CTextNode* dialog = tree.Dialog();
        for (int c = 0; c < 5; ++c)
            Add(dialog, u"&" + std::u16string(1, char16_t(u'K' + c)), u"&Button", 23);
    }
    for (int s = 0; s < 100; ++s)
        tree.String(u"Text", u"text");
    CTranslationChecker checker;
    checker.CheckTree(*tree.root);
    const std::int64_t afterFullCheck = checker.NodesChecked();
    EXPECT_EQ(afterFullCheck, 50 + 250 + 1 + 100);

    CTextNode* control = tree.dialogs->GetChild(7)->GetChild(2);
    const auto rechecked = checker.Recheck(*control);
    EXPECT_EQ(checker.NodesChecked() - afterFullCheck, 5);
    ASSERT_EQ(rechecked.size(), 5u);
    // Every later child clashes with every earlier one: 0 + 1 + 2 + 3 + 4.
    std::size_t clashes = 0;
    for (const auto& entry : rechecked)
        clashes += entry.problems.size();
    EXPECT_EQ(clashes, 10u);

    CTextNode* string = tree.strings->GetChild(0)->GetChild(40);
    string->translatedText = u"%s";
    const auto alone = checker.Recheck(*string);
    ASSERT_EQ(alone.size(), 1u);
    EXPECT_EQ(alone[0].node, string);
    ASSERT_EQ(alone[0].problems.size(), 1u);
    EXPECT_EQ(alone[0].problems[0].check, CheckId::Format);
    EXPECT_EQ(checker.NodesChecked() - afterFullCheck, 6);
}

TEST(Recheck, TextsStillBeingTypedComeFromTheTextSource)
{
    test_tree::Tree tree;
    CTextNode* dialog = tree.Dialog();
    CTextNode* first = Add(dialog, u"&Ja", u"&Yes");
    CTextNode* second = Add(dialog, u"&Nein", u"&No");
    CTranslationChecker checker;
    checker.SetTextSource([&](const CTextNode& node) {
        return &node == first ? std::u16string(u"&Nope") : node.translatedText;
    });
    const auto rechecked = checker.Recheck(*first);
    ASSERT_EQ(rechecked.size(), 2u);
    EXPECT_TRUE(rechecked[0].problems.empty());
    ASSERT_EQ(rechecked[1].problems.size(), 1u);
    EXPECT_EQ(rechecked[1].node, second);
    EXPECT_EQ(rechecked[1].problems[0].check, CheckId::AcceleratorClash);
}

TEST(Checks, DeepTreesAndPositions)
{
    test_tree::Tree tree;
    CTextNode* node = tree.Dialog();
    for (int i = 0; i < 100000; ++i)
        node = Add(node, u"a", u"b");
    node->translatedText = u"%d";
    std::vector<std::int32_t> indices;
    std::int64_t order = 0;
    std::size_t count = 0;
    CTranslationChecker().CheckTree(
        *tree.root, [&](const TranslationProblem&, const checks::WalkPosition& position) {
            ++count;
            indices.assign(position.indices.begin(), position.indices.end());
            order = position.order;
        });
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(indices.size(), 100002u);
    EXPECT_EQ(indices[0], 0);
    EXPECT_EQ(order, 100002);
}

} // namespace
