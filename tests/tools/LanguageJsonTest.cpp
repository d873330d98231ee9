#include "LanguageJson.h"
#include "SampleLanguage.h"

#include "Golden.h"
#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

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

// A generated file's round trip through dump and build is TraTool's.
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

// Each document of tests/golden/json beside what reading it gives: the error
// with its place, or the root's original text as UTF-16 code units.
TEST(LanguageJson, GoldenDocuments)
{
    const auto inputs = golden::Inputs(GLOSSMARK_GOLDEN_DIR "/json", ".json");
    ASSERT_GE(inputs.size(), 10u);
    for (const auto& input : inputs) {
        const JsonReadResult result = LanguageFromJson(golden::Read(input));
        // The JSON library's own words after the place and kind of a syntax error are left out.
        std::string actual = result.language ? "read; the root's original text:"
                                             : result.error.substr(0, result.error.find(" - "));
        const std::u16string text = result.language ? std::u16string(result.language->root->originalText) : u"";
        for (const char16_t unit : text) {
            char hex[8];
            std::snprintf(hex, sizeof hex, " %04X", unsigned(unit));
            actual += hex;
        }
        golden::Expect(input, actual + "\n");
    }
}

TEST(LanguageJson, DeepTreesNeitherOverflowNorBecomeUnreadableFiles)
{
    const std::string deep = LanguageToJson(CLanguageFile(Chain(100000)));
    EXPECT_LT(deep.size(), 100000u * 400u) << "indentation stops growing";
    const std::string error = ErrorOf(deep);
    EXPECT_NE(error.find("nested deeper than 1000 levels"), std::string::npos) << error;
    EXPECT_NE(error.find("more"), std::string::npos) << "the path is shortened: " << error;

    ExpectRoundTrip(CLanguageFile(Chain(CLanguageFile::kMaxTreeDepth)));
}

} // namespace
