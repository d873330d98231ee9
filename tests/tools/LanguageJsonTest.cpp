#include "LanguageJson.h"
#include "SampleLanguage.h"

#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

namespace {

using tools_test::Chain;
using tools_test::StoredBytes;

// Goes to JSON and back and expects the very same file bytes.
void ExpectRoundTrip(const CLanguageFile& language)
{
    const std::string json = LanguageToJson(language);
    const JsonReadResult back = LanguageFromJson(json);
    ASSERT_TRUE(back.language) << back.error;
    EXPECT_EQ(StoredBytes(*back.language), StoredBytes(language));
    EXPECT_EQ(LanguageToJson(*back.language), json);
}

std::string ErrorOf(const std::string& json)
{
    const JsonReadResult result = LanguageFromJson(json);
    EXPECT_FALSE(result.language);
    return result.error;
}

// A small valid document; tests break one part of it.
std::string Document(const std::string& rootJson, const std::string& pixels = "")
{
    std::string flag = pixels;
    if (flag.empty()) {
        for (int i = 0; i < 1024; ++i) {
            flag += i == 0 ? "0" : ",0";
        }
    }
    return "{\"headerNumber1\": 10000, \"flags\": 1, \"headerNumber2\": 0,\n"
           "\"programName\": \"P\", \"programVersion\": \"1\", \"languageName\": \"L\",\n"
           "\"headerText4\": \"\", \"headerText5\": \"\", \"headerNumber3\": 0,\n"
           "\"flagPixels\": [" + flag + "],\n\"root\": " + rootJson + "}";
}

std::string Node(const std::string& text, const std::string& children = "",
                 const std::string& width = "0")
{
    return "{\"originalText\": \"" + text + "\", \"translatedText\": \"" + text +
           "\", \"kindCode\": 99, \"width\": " + width +
           ", \"height\": 0, \"editState\": 0, \"children\": [" + children + "]}";
}

TEST(LanguageJson, GeneratedFilesRoundTripByteForByte)
{
    SampleOptions options;
    options.switchEntry = true;
    ExpectRoundTrip(*MakeSampleLanguage(3000, 77, options));
    options.original = true;
    ExpectRoundTrip(*MakeSampleLanguage(500, 78, options));
}

TEST(LanguageJson, EveryFieldValueRoundTrips)
{
    auto language = MakeSampleLanguage(50, 1);
    language->headerNumber1 = 0xFFFFFFFFu;
    language->flags = 0x80000003u;
    language->headerNumber2 = 7;
    language->headerNumber3 = 0xDEADBEEFu;
    language->flagPixels[1023] = 0xFFFFFFFFu;
    CTextNode* node = language->root->GetChild(0)->GetChild(0);
    node->kindCode = -2147483647 - 1;
    node->width = 2147483647;
    node->height = -5;
    node->editState = 0xFFFFFFFFu;
    ExpectRoundTrip(*language);

    language->root.reset();
    ExpectRoundTrip(*language);
    EXPECT_NE(LanguageToJson(*language).find("\"root\": null"), std::string::npos);
}

TEST(LanguageJson, TextsThatAreNotValidUtf16RoundTripAsEscapes)
{
    auto language = MakeSampleLanguage(60, 2);
    const char16_t high = 0xD800;
    const char16_t low = 0xDC00;
    const std::u16string texts[] = {
        {high},
        {u'a', low, u'b'},
        {low, high},                         // a pair in the wrong order is two lone ones
        {high, high, low},                   // lone high, then a valid pair
        {char16_t(0xFDD0), u'x'},            // the reader's own escape character
        {char16_t(0xFDD0), u'D', u'8', u'0', u'0'},
        u"\\uD800 stays six characters",
        {u'\0', char16_t(0x01), char16_t(0x1F), char16_t(0x7F), u'"', u'\\', u'\r'},
        u"𝄞 und 日本語",
    };
    std::int32_t i = 0;
    for (const auto& text : texts) {
        CTextNode* leaf = language->root->GetChild(2)->GetChild(0)->GetChild(i++);
        ASSERT_NE(leaf, nullptr);
        leaf->originalText = text;
        leaf->translatedText = text + text;
    }
    language->programName = {u'P', high};
    language->headerText5 = {low};
    ExpectRoundTrip(*language);

    const std::string json = LanguageToJson(*language);
    EXPECT_NE(json.find(R"("programName": "P\uD800")"), std::string::npos);
    EXPECT_NE(json.find(R"("headerText5": "\uDC00")"), std::string::npos);
    EXPECT_NE(json.find("\"𝄞 und 日本語\""), std::string::npos) << "valid text stays readable";
}

TEST(LanguageJson, HandWrittenEscapesAreDecoded)
{
    const std::string json = Document(Node(R"(\uD834\uDD1E \ud834\udd1e \ufdd0 \uFDD0 \u00e4 \uDBFF)"));
    const JsonReadResult result = LanguageFromJson(json);
    ASSERT_TRUE(result.language) << result.error;
    const std::u16string expected = {0xD834, 0xDD1E, u' ', 0xD834, 0xDD1E, u' ', 0xFDD0,
                                     u' ',   0xFDD0, u' ', u'ä',   u' ',   0xDBFF};
    EXPECT_EQ(result.language->root->originalText, expected);
}

TEST(LanguageJson, MalformedJsonIsReportedWithLineAndColumn)
{
    EXPECT_EQ(ErrorOf("{\n  \"flags\": 1,\n  x\n}").substr(0, 22), "line 3, column 3: synt");
    EXPECT_EQ(ErrorOf("").substr(0, 17), "line 1, column 0:");
    EXPECT_EQ(ErrorOf("{\"programName\": \"abc").substr(0, 18), "line 1, column 20:");
    // The place refers to the text as written, also behind a rewritten lone surrogate.
    EXPECT_EQ(ErrorOf("{\"programName\": \"\\uD800\", x").substr(0, 18), "line 1, column 27:");
    EXPECT_EQ(ErrorOf(Document(Node("a")) + " trailing").substr(0, 11), "line 5, col");
}

TEST(LanguageJson, WrongTypesAndKeysNameTheirPlace)
{
    const std::string good = Node("b");
    EXPECT_EQ(ErrorOf(Document(Node("a", good + "," + Node("c", "", "\"wide\"")))),
              "root.children[1].width: expected a whole number from -2147483648 to 2147483647, "
              "found a string");
    EXPECT_EQ(ErrorOf(Document(Node("a", "", "2147483648"))),
              "root.width: expected a whole number from -2147483648 to 2147483647, found 2147483648");
    EXPECT_EQ(ErrorOf(Document(Node("a", "", "1.5"))),
              "root.width: expected a whole number from -2147483648 to 2147483647, found a "
              "fractional number");

    std::string missing = Node("a");
    missing.erase(missing.find(", \"kindCode\": 99"), std::string(", \"kindCode\": 99").size());
    EXPECT_EQ(ErrorOf(Document(Node("top", missing))), "root.children[0]: missing key \"kindCode\"");

    std::string unknown = Node("a");
    unknown.insert(1, "\"colour\": 3, ");
    EXPECT_EQ(ErrorOf(Document(unknown)).substr(0, 28), "root: unknown key \"colour\" (");

    std::string twice = Node("a");
    twice.insert(1, "\"width\": 3, ");
    EXPECT_EQ(ErrorOf(Document(twice)), "root.width: the key appears twice");

    EXPECT_EQ(ErrorOf(Document("5")), "root: expected a node object or null, found the number 5");
    EXPECT_EQ(ErrorOf(Document(Node("a", "7"))), "root.children[0]: expected a node object, found the number 7");
    EXPECT_EQ(ErrorOf(Document(Node("a"), "1,2,3")), "flagPixels: expected 1024 pixels, found 3");
    EXPECT_EQ(ErrorOf(Document(Node("a"), "-1")),
              "flagPixels[0]: expected a number from 0 to 4294967295, found -1");
    EXPECT_EQ(ErrorOf("[1, 2]"), "the document: expected an object, found an array");

    std::string noFlags = Document("null");
    noFlags.erase(noFlags.find("\"flags\": 1, "), std::string("\"flags\": 1, ").size());
    EXPECT_EQ(ErrorOf(noFlags), "the document: missing key \"flags\"");
}

TEST(LanguageJson, DeepTreesNeitherOverflowNorBecomeUnreadableFiles)
{
    const std::string deep = LanguageToJson(*Chain(100000));
    EXPECT_LT(deep.size(), 100000u * 400u) << "indentation stops growing";
    const std::string error = ErrorOf(deep);
    EXPECT_NE(error.find("nested deeper than 1000 levels"), std::string::npos) << error;
    EXPECT_NE(error.find("more"), std::string::npos) << "the path is shortened: " << error;

    ExpectRoundTrip(*Chain(CLanguageFile::kMaxTreeDepth));
}

} // namespace
