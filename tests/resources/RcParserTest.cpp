// Resource scripts read by the preprocessor and parser, each beside the dump of
// what was read (tests/golden/rc-parse): every resource with its id, language,
// line, texts, ids, styles and flags, then the warnings; or the error. And
// damaged scripts give errors, not crashes; and what the writer makes of scripts.

#include "CRcCppWriter.h"
#include "CRcError.h"
#include "CRcParser.h"
#include "CRcPreprocessor.h"
#include "Golden.h"
#include "RcText.h"
#include "Utf8.h"

#include <cstdio>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path kFolder = GLOSSMARK_SOURCE_DIR "/tests/golden/rc-parse";

CRcScript ParseRc(const std::string& text)
{
    CRcSymbols symbols;
    CRcPreprocessor preprocessor(symbols);
    CRcParser parser(preprocessor.ProcessText("test.rc", text));
    return parser.Parse();
}

std::string Hex(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

// A text in quotes, with its line breaks, tabs and quotes escaped.
std::string Quoted(std::u16string_view text)
{
    std::string quoted = "\"";
    for (const char c : utf8::FromUtf16(text)) {
        quoted += c == '\n' ? "\\n" : c == '\t' ? "\\t" : c == '\r' ? "\\r" : c == '"' ? "\\\""
                : c == '\\' ? "\\\\" : std::string(1, c);
    }
    return quoted + "\"";
}

std::string Head(const char* kind, std::uint32_t id, RcLanguageId language, const RcPlace& place)
{
    return std::string(kind) + " " + std::to_string(id) + " lang " + Hex(std::uint32_t(language)) +
           " line " + std::to_string(place.line);
}

void DumpItems(std::ostream& out, const std::vector<RcMenuItem>& items, const std::string& indent)
{
    static const char* const kinds[] = {"command", "separator", "popup"};
    for (const RcMenuItem& item : items) {
        out << indent << kinds[int(item.kind)];
        if (item.kind != res::MenuItemKind::Separator)
            out << " " << item.id << " flags " << item.flags << " " << Quoted(item.text);
        out << "\n";
        DumpItems(out, item.items, indent + "  ");
    }
}

std::string Dump(const CRcScript& script)
{
    static const char* const classes[] = {"Button", "Edit", "Static", "ListBox", "ComboBox",
                                          "ScrollBar", "ListView", "TreeView", "TabControl", "Custom"};
    std::ostringstream out;
    for (const RcLanguageId language : script.languages)
        out << "language " << Hex(std::uint32_t(language)) << "\n";
    for (const RcString& string : script.strings)
        out << Head("string", string.id, string.language, string.place) << " " << Quoted(string.text) << "\n";
    for (const RcMenu& menu : script.menus) {
        out << Head("menu", menu.id, menu.language, menu.place) << "\n";
        DumpItems(out, menu.items, "  ");
    }
    for (const RcAcceleratorTable& table : script.accelerators) {
        out << Head("accelerators", table.id, table.language, table.place) << "\n";
        for (const res::Accelerator& entry : table.entries)
            out << "  key " << Hex(entry.key) << " flags " << entry.flags << " command " << entry.command << "\n";
    }
    for (const RcDialog& dialog : script.dialogs) {
        out << Head("dialog", dialog.id, dialog.language, dialog.place) << " (" << dialog.x << "," << dialog.y
            << "," << dialog.cx << "," << dialog.cy << ") style " << Hex(dialog.style) << " ex "
            << Hex(dialog.exStyle) << " font " << dialog.fontPointSize << " " << Quoted(dialog.fontName)
            << " " << Quoted(dialog.title) << "\n";
        for (const RcDialogControl& c : dialog.controls)
            out << "  " << classes[int(c.controlClass)] << " " << Quoted(c.className) << " " << c.id << " ("
                << c.x << "," << c.y << "," << c.cx << "," << c.cy << ") style " << Hex(c.style) << " ex "
                << Hex(c.exStyle) << " " << Quoted(c.text) << "\n";
    }
    for (const RcToolbar& toolbar : script.toolbars) {
        out << Head("toolbar", toolbar.id, toolbar.language, toolbar.place) << " " << toolbar.buttonWidth
            << "x" << toolbar.buttonHeight << ":";
        for (const std::uint32_t command : toolbar.commands)
            out << " " << command;
        out << "\n";
    }
    for (const RcBitmap& bitmap : script.bitmaps)
        out << Head("bitmap", bitmap.id, bitmap.language, bitmap.place) << " " << bitmap.file << "\n";
    for (const std::string& warning : script.warnings)
        out << warning << "\n";
    return out.str();
}

// Names of files in the golden folder as the folder's own.
std::string WithoutFolder(std::string text)
{
    const std::string folder = kFolder.string() + "/";
    for (std::size_t at; (at = text.find(folder)) != std::string::npos;)
        text.erase(at, folder.size());
    return text;
}

// The script at path, read as the build reads it or, for "lenient-*" scripts, as
// from-rc reads other programs' scripts; its dump or its error.
std::string Read(const fs::path& path)
{
    const bool lenient = path.filename().string().starts_with("lenient-");
    CRcSymbols symbols;
    CRcPreprocessor preprocessor(symbols);
    preprocessor.SetSkipMissingIncludes(lenient);
    try {
        CRcParser::Options options;
        options.lenient = lenient;
        CRcParser parser(preprocessor.ProcessFile(path.string()), options);
        CRcScript script = parser.Parse();
        script.warnings.insert(script.warnings.begin(), preprocessor.Warnings().begin(),
                               preprocessor.Warnings().end());
        return WithoutFolder(Dump(script));
    } catch (const CRcError& error) {
        return WithoutFolder(error.what() + std::string("\n"));
    }
}

TEST(RcParser, GoldenScripts)
{
    const auto inputs = golden::Inputs(kFolder, ".rc");
    ASSERT_GT(inputs.size(), 5u);
    for (const fs::path& input : inputs)
        golden::Expect(input, Read(input));
}

// Small bad scripts, one after each "----" line of bad-scripts.txt, each with
// the error it gives (or "read" when it reads).
TEST(RcParser, GoldenBadScripts)
{
    const fs::path input = kFolder / "bad-scripts.txt";
    std::istringstream cases(golden::Read(input));
    std::string actual, script, line;
    const auto flush = [&] {
        if (script.empty())
            return;
        try {
            ParseRc(script);
            actual += "read\n";
        } catch (const CRcError& error) {
            actual += error.what() + std::string("\n");
        }
        script.clear();
    };
    while (std::getline(cases, line)) {
        if (line == "----")
            flush();
        else
            script += line + "\n";
    }
    flush();
    golden::Expect(input, actual);
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
    const std::string script = golden::Read(GLOSSMARK_SOURCE_DIR "/resources/Edit.rc");
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

} // namespace

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
