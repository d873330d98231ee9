#include "RcTestSupport.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() : path(fs::temp_directory_path() / ("glossmark-rc-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(path / name, std::ios::binary) << text;
        return (path / name).string();
    }
    fs::path path;
};

TEST(RcPreprocessor, ConditionalsAndDefinitions)
{
    const CRcScript script = ParseRc(
        "#define A 1\n"
        "#define B\n"
        "#if defined(A) && A == 1\n"
        "STRINGTABLE BEGIN 1 \"a\" END\n"
        "#elif 1\n"
        "STRINGTABLE BEGIN 2 \"falsch\" END\n"
        "#else\n"
        "STRINGTABLE BEGIN 3 \"falsch\" END\n"
        "#endif\n"
        "#ifdef APSTUDIO_INVOKED\n"
        "1 TEXTINCLUDE etwas, das nie gelesen wird \"\n"
        "#endif\n"
        "#ifndef C\n"
        "  #ifdef B\n"
        "STRINGTABLE BEGIN 4 \"b\" END /* Kommentar\n"
        "   über zwei Zeilen */ STRINGTABLE BEGIN 5 \"c\" END\n"
        "  #endif\n"
        "#endif\n"
        "#undef A\n"
        "#if A\n"
        "STRINGTABLE BEGIN 6 \"falsch\" END\n"
        "#endif\n");
    ASSERT_EQ(script.strings.size(), 3u);
    EXPECT_EQ(script.strings[0].id, 1u);
    EXPECT_EQ(script.strings[1].id, 4u);
    EXPECT_EQ(script.strings[2].id, 5u);
    EXPECT_EQ(script.strings[2].place.line, 16); // the block comment kept the line count
}

TEST(RcPreprocessor, IncludesAHeaderForItsDefinesOnly)
{
    TempDir dir;
    dir.Write("resource.h",
              "#pragma once\n"
              "// a header may hold C code; only its directives count\n"
              "#define IDS_HALLO 42\n"
              "#define IDS_WELT (IDS_HALLO + 1) \\\n"
              "                 /* continued */\n"
              "int unused(void);\n");
    const std::string rc = dir.Write("a.rc",
                                     "#include \"resource.h\"\n"
                                     "#include <windows.h>\n"
                                     "STRINGTABLE BEGIN IDS_HALLO \"Hallo\" IDS_WELT \"Welt\" END\n");
    CRcSymbols symbols;
    CRcPreprocessor preprocessor(symbols);
    CRcParser parser(preprocessor.ProcessFile(rc));
    const CRcScript script = parser.Parse();
    ASSERT_EQ(script.strings.size(), 2u);
    EXPECT_EQ(script.strings[1].id, 43u);
    ASSERT_EQ(preprocessor.FilesRead().size(), 2u);
    EXPECT_EQ(fs::path(preprocessor.FilesRead()[1]).filename(), "resource.h");
}

TEST(RcPreprocessor, ErrorsInAnIncludedFileNameThatFile)
{
    TempDir dir;
    dir.Write("bad.h", "#define A 1\n#define A 2\n");
    const std::string rc = dir.Write("b.rc", "#include \"bad.h\"\n");
    CRcSymbols symbols;
    CRcPreprocessor preprocessor(symbols);
    try {
        preprocessor.ProcessFile(rc);
        FAIL() << "redefinition not reported";
    } catch (const CRcError& error) {
        EXPECT_EQ(fs::path(error.file).filename(), "bad.h");
        EXPECT_EQ(error.line, 2);
        EXPECT_NE(error.message.find("redefined"), std::string::npos);
    }
}

TEST(RcPreprocessor, ReadsUtf16AndWindows1252Scripts)
{
    // A script saved as UTF-16LE with a byte-order mark.
    const std::u16string utf16 = u"STRINGTABLE BEGIN 1 \"Grüße\" END\n";
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : utf16) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    EXPECT_EQ(ParseRc(bytes).strings.at(0).text, u"Grüße");

    const CRcScript legacy = ParseRc("#pragma code_page(1252)\nSTRINGTABLE BEGIN 1 \"Gr\xFC\xDF\x65 \x80\" END\n");
    EXPECT_EQ(legacy.strings.at(0).text, u"Grüße €");
}

TEST(RcPreprocessor, BadInputIsReportedAtItsLine)
{
    EXPECT_RC_ERROR("STRINGTABLE BEGIN\n1 \"\xFC\" END\n", 2, "not UTF-8");
    EXPECT_RC_ERROR("\n/* offen\n\n", 2, "not closed");
    EXPECT_RC_ERROR("#if 1\n\n", 1, "#if without #endif");
    EXPECT_RC_ERROR("\n#endif\n", 2, "#endif without #if");
    EXPECT_RC_ERROR("#if 1\n#else\n#else\n#endif\n", 3, "after #else");
    EXPECT_RC_ERROR("#include \"gibt_es_nicht.h\"\n", 1, "cannot open include file");
    EXPECT_RC_ERROR("\n#fehler\n", 2, "unknown directive");
    EXPECT_RC_ERROR("#error halt\n", 1, "halt");
    EXPECT_RC_ERROR("#define F(x) x\n1 MENU BEGIN MENUITEM \"a\", F(1, 2) END\n", 2, "takes 1 argument, not 2");
    EXPECT_RC_ERROR("#define F(x) x\n\n1 MENU BEGIN MENUITEM \"a\", F(1\n", 3, "not closed with ')'");
    EXPECT_RC_ERROR("#define F(x) x ## +\nSTRINGTABLE BEGIN F(1) \"a\" END\n", 2, "does not give one token");
    EXPECT_RC_ERROR("#define A B\n#define B A\n1 MENU BEGIN MENUITEM \"a\", A END\n", 3, "'A' is not defined");
    EXPECT_RC_ERROR("STRINGTABLE BEGIN 12ab \"x\" END\n", 1, "bad number");
    EXPECT_RC_ERROR("STRINGTABLE BEGIN 0x1FFFFFFFF \"x\" END\n", 1, "32 bits");
    EXPECT_RC_ERROR("\n\n@\n", 3, "unexpected character");
    EXPECT_RC_ERROR("#if 1 +\n#endif\n", 1, "expected a number");
    EXPECT_RC_ERROR("1 DIALOG 0, 0, 10, 10 STYLE 1 / 0 BEGIN END\n", 1, "division by zero");
}

} // namespace

namespace {

std::string ReadEditRc()
{
    std::ifstream in(GLOSSMARK_SOURCE_DIR "/resources/Edit.rc", std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// Parses or reports a CRcError; any other outcome (a crash, another exception) fails.
void ParsesOrReports(const std::string& text)
{
    try {
        ParseRc(text);
    } catch (const CRcError&) {
    }
}

TEST(RcRobustness, CutAndDamagedScriptsGiveErrorsNotCrashes)
{
    const std::string script = ReadEditRc();
    ASSERT_FALSE(script.empty());
    const std::string header = "#include \"" GLOSSMARK_SOURCE_DIR "/resources/resource.h\"\n";
    std::string body = script.substr(script.find('\n', script.find("#include")) + 1);
    for (std::size_t cut = 0; cut < body.size(); cut += 97)
        ParsesOrReports(header + body.substr(0, cut));
    std::uint32_t seed = 12345;
    for (int round = 0; round < 300; ++round) {
        std::string damaged = body;
        for (int k = 0; k < 4; ++k) {
            seed = seed * 1664525u + 1013904223u;
            const std::size_t at = seed % damaged.size();
            damaged[at] = "\"{}(),|\\\n#0ENDBEGIN\xC3"[seed % 21];
        }
        ParsesOrReports(header + damaged);
    }
}

TEST(RcRobustness, ExplodingMacrosAndDeepNestingAreRefused)
{
    std::string defines = "#define M0 1\n";
    for (int i = 1; i <= 40; ++i)
        defines += "#define M" + std::to_string(i) + " M" + std::to_string(i - 1) + " | M" +
                   std::to_string(i - 1) + "\n";
    EXPECT_RC_ERROR(defines + "1 DIALOG 0, 0, 1, 1 STYLE M40 BEGIN END\n", 42, "too many tokens");
    EXPECT_RC_ERROR("1 DIALOG 0, 0, 1, 1 STYLE " + std::string(5000, '(') + "\n", 1, "nested too deeply");
}

} // namespace
