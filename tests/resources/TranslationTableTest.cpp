#include "CRcError.h"
#include "CTextNode.h"
#include "CTranslationTable.h"

#include <gtest/gtest.h>

namespace {

TEST(TranslationTable, TranslatesByOriginalTextAndReportsGaps)
{
    const CTranslationTable table = CTranslationTable::Parse(
        "t.txt",
        "// Kommentar\n"
        "\"&Datei\" = \"&File\"\n"
        "\"Zeile\\nzwei\" = \"Line\\ntwo\"\n"
        "\"Unbenutzt\" = \"Unused\"\n");
    EXPECT_EQ(table.Size(), 3u);

    CTextNode root(nullptr);
    for (const char16_t* text : {u"&Datei", u"Zeile\nzwei", u"Fehlt", u"", u"Fehlt"}) {
        auto node = std::make_unique<CTextNode>(&root);
        node->originalText = node->translatedText = text;
        root.AddChild(std::move(node));
    }
    const std::vector<std::u16string> missing = table.Translate(root);
    EXPECT_EQ(root.GetChild(0)->translatedText, u"&File");
    EXPECT_EQ(root.GetChild(1)->translatedText, u"Line\ntwo");
    EXPECT_EQ(root.GetChild(2)->translatedText, u"Fehlt"); // kept as it was
    EXPECT_EQ(missing, std::vector<std::u16string>{u"Fehlt"});
    const auto unused = table.Unused();
    ASSERT_EQ(unused.size(), 1u);
    EXPECT_EQ(unused[0].first, u"Unbenutzt");
    EXPECT_EQ(unused[0].second.line, 4);
}

TEST(TranslationTable, BadLinesAreReportedWithTheirLine)
{
    auto lineOf = [](const char* text) {
        try {
            CTranslationTable::Parse("t.txt", text);
        } catch (const CRcError& error) {
            return error.line;
        }
        return -1;
    };
    EXPECT_EQ(lineOf("\"a\" = \"b\"\n\"a\" = \"c\"\n"), 2);  // translated twice
    EXPECT_EQ(lineOf("\"a\" \"b\"\n"), 1);                    // no '='
    EXPECT_EQ(lineOf("\n\"a\" =\n\"b\"\n"), 3);               // entry split over lines
    EXPECT_EQ(lineOf("\"a\" = \"b\"\nc = \"d\"\n"), 2);       // original not quoted
    EXPECT_EQ(lineOf("\"a\" = \"b\n"), 1);                    // string not closed
}

} // namespace
