#include "RcTestSupport.h"

#include "CRcCppWriter.h"
#include "RcText.h"

namespace {

TEST(RcWriter, CppLiteralsAreAsciiAndKeepEveryCodeUnit)
{
    EXPECT_EQ(CppStringLiteralBody(u"a\"b\\c\nd\te?"), "a\\\"b\\\\c\\nd\\te\\?");
    EXPECT_EQ(CppStringLiteralBody(u"Über"), "\\u00DCber");
    EXPECT_EQ(CppStringLiteralBody(u"\U0001F600"), "\\U0001F600");
    // A control character followed by a digit must not merge into one escape.
    EXPECT_EQ(CppStringLiteralBody(std::u16string(u"\x01") + u"7"), "\\0017");
}

TEST(RcWriter, RcLiteralsReadBackUnchanged)
{
    const std::u16string text = u"Zeile\nTab\t\"Zitat\" \\ Ä";
    const CRcScript script = ParseRc("STRINGTABLE BEGIN 1 \"" + RcStringLiteralBody(text) + "\" END\n");
    EXPECT_EQ(script.strings.at(0).text, text);
}

TEST(RcWriter, TablesNameEveryResourceAndTheInitFunction)
{
    const CRcScript script = ParseRc(
        "STRINGTABLE BEGIN 7 \"Sieben\" END\n"
        "3 MENU BEGIN POPUP \"&A\" BEGIN MENUITEM \"B\", 9 END END\n"
        "4 BITMAP \"bitmaps/4.png\"\n");
    CRcCppWriter::Options options;
    options.functionName = "TestResources";
    options.resourceName = "TestBitmaps";
    const std::string cpp = CRcCppWriter::WriteCpp(script, options);
    EXPECT_NE(cpp.find("{7, u\"Sieben\"sv}"), std::string::npos) << cpp;
    EXPECT_NE(cpp.find("constexpr res::MenuItem kMenu3_0[]"), std::string::npos) << cpp;
    EXPECT_NE(cpp.find("{res::MenuItemKind::Popup, u\"&A\"sv, 0, 0, kMenu3_0}"), std::string::npos) << cpp;
    EXPECT_NE(cpp.find("{4, \":/bitmaps/4.png\"sv}"), std::string::npos) << cpp;
    EXPECT_NE(cpp.find("const res::ResourceSet& TestResources()"), std::string::npos) << cpp;
    EXPECT_NE(cpp.find("qInitResources_TestBitmaps()"), std::string::npos) << cpp;
    // Categories without resources stay empty spans instead of zero-size arrays.
    EXPECT_EQ(cpp.find("kDialogs"), std::string::npos) << cpp;
}

TEST(RcWriter, QrcLeavesMissingBitmapsOutWithAWarning)
{
    const CRcScript script = ParseRc("4 BITMAP \"gibt/es/nicht.png\"\n");
    std::vector<std::string> warnings;
    const std::string qrc = CRcCppWriter::WriteQrc(script, {}, warnings);
    EXPECT_EQ(qrc.find("<file"), std::string::npos);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].rfind("test.rc:1: warning", 0), 0u) << warnings[0];
}

} // namespace
