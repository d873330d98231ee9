// glossmark-tra from-rc: original-language files from resource scripts as resource
// editors write them, and from the editor's own script.

#include "LanguageFileIO.h"

#include "BridgeTestSupport.h"
#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

namespace fs = std::filesystem;
using bridge_test::ProcessRun;
using bridge_test::Quoted;
using tools_test::WriteFile;

constexpr char kIds[] = R"(// ids.h: what the resource editor wrote
#define IDR_MAINFRAME 128
#define IDR_CONTEXT   129
#define IDB_LOGO      130
#define IDC_HAND      131
#define IDD_ABOUTBOX  100
#define IDD_OLD       101
#define IDC_LIST      1000
#define IDC_SLIDER    1001
#define IDC_EDIT      1002
#define IDC_RADIO     1003
#define IDC_EURO      1004
#define IDC_COMBO     1005
#define IDS_TABS      200
#define IDS_SECOND    201
#define IDS_DUPLICATE 202
)";

// Line numbers matter: the warnings name them.
constexpr char kScript[] = "// Microsoft Visual C++ generated resource script.\n" // 1
                           "#include \"ids.h\"\n"
                           "#include <missing_ids.h>\n"
                           "#include <windows.h>\n"
                           "#include \"afxres.h\"\n" // 5
                           "#include \"winres.h\"\n"
                           "#include <commctrl.h>\n"
                           "#include \"verrsrc.h\"\n"
                           "#ifndef RC_INVOKED\n"
                           "#error not the resource compiler\n" // 10
                           "#endif\n"
                           "#ifndef _WIN32\n"
                           "#error not Win32\n"
                           "#endif\n"
                           "#define TITLE_TEXT \"\xC3\x9C" "ber \" \\\n" // 15
                           "    \"Kassenbuch\"\n"
                           "#ifdef APSTUDIO_INVOKED\n"
                           "1 TEXTINCLUDE\n"
                           "BEGIN\n"
                           "    \"ids.h\\0\"\n" // 20
                           "END\n"
                           "#endif\n"
                           "2 TEXTINCLUDE DISCARDABLE\n"
                           "BEGIN\n"
                           "    \"#include \"\"afxres.h\"\"\\r\\n\"\n" // 25
                           "    \"\\0\"\n"
                           "END\n"
                           "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
                           "#pragma code_page(1252)\n"
                           "IDR_MAINFRAME ICON \"res\\\\app.ico\"\n" // 30
                           "IDC_HAND CURSOR \"res\\\\hand.cur\"\n"
                           "IDB_LOGO BITMAP \"res\\\\logo.bmp\"\n"
                           "IDR_MAINFRAME MENU\n"
                           "BEGIN\n"
                           "    POPUP \"&File\"\n" // 35
                           "    BEGIN\n"
                           "        MENUITEM \"&Open...\\tCtrl+O\", ID_FILE_OPEN\n"
                           "        MENUITEM SEPARATOR\n"
                           "        MENUITEM \"E&xit\", ID_APP_EXIT\n"
                           "    END\n" // 40
                           "    POPUP \"&Help\", HELP\n"
                           "    BEGIN\n"
                           "        MENUITEM \"&About...\", ID_APP_ABOUT\n"
                           "    END\n"
                           "END\n" // 45
                           "IDR_CONTEXT MENUEX\n"
                           "BEGIN\n"
                           "    POPUP \"Context\", 0, MFT_STRING, MFS_ENABLED\n"
                           "    BEGIN\n"
                           "        MENUITEM \"&Copy\", ID_EDIT_COPY, MFT_STRING, MFS_GRAYED\n" // 50
                           "        MENUITEM \"\", 0, MFT_SEPARATOR\n"
                           "        MENUITEM \"Paste &special\", ID_PASTE_SPECIAL_MISSING\n"
                           "    END\n"
                           "END\n"
                           "IDR_MAINFRAME ACCELERATORS\n" // 55
                           "BEGIN\n"
                           "    \"O\", ID_FILE_OPEN, VIRTKEY, CONTROL\n"
                           "    VK_F1, ID_HELP_MISSING, VIRTKEY\n"
                           "END\n"
                           "IDR_MAINFRAME TOOLBAR 16, 15\n" // 60
                           "BEGIN\n"
                           "    BUTTON ID_FILE_OPEN\n"
                           "    SEPARATOR\n"
                           "    BUTTON ID_APP_ABOUT\n"
                           "END\n" // 65
                           "IDD_ABOUTBOX DIALOGEX 0, 0, 235, 55\n"
                           "STYLE DS_SETFONT | DS_MODALFRAME | DS_FIXEDSYS | WS_POPUP | WS_CAPTION | WS_SYSMENU\n"
                           "CAPTION TITLE_TEXT\n"
                           "FONT 8, \"MS Shell Dlg\", 0, 0, 0x1\n"
                           "BEGIN\n" // 70
                           "    ICON            IDR_MAINFRAME,IDC_STATIC,11,17,20,20\n"
                           "    LTEXT           \"Kassenbuch, Version 1.0\",IDC_STATIC,40,10,119,8,SS_NOPREFIX\n"
                           "    LTEXT           \"Copyright \\251 2024\\tKestrow\",IDC_STATIC,40,25,119,8\n"
                           "    DEFPUSHBUTTON   \"OK\",IDOK,178,7,50,16,WS_GROUP\n"
                           "    CONTROL         \"&Remember\",IDC_REMEMBER_MISSING,\"Button\",BS_AUTOCHECKBOX |\n" // 75
                           "                    WS_TABSTOP,40,40,80,10\n"
                           "    CONTROL         \"\",IDC_LIST,\"SysListView32\",LVS_REPORT | WS_BORDER,7,7,50,50\n"
                           "    CONTROL         \"Slide\",IDC_SLIDER,\"msctls_trackbar32\",TBS_AUTOTICKS | WS_TABSTOP,7,60,50,10\n"
                           "    CONTROL         IDB_LOGO,IDC_STATIC,\"Static\",SS_BITMAP,0,0,20,20\n"
                           "    FROBNICATE      \"Broken\", 1, 2\n" // 80
                           "    PUSHBUTTON      \"Caf\xE9 \x80 5\",IDC_EURO,7,70,50,14\n"
                           "END\n"
                           "IDD_OLD DIALOG DISCARDABLE 0, 0, 100, 40\n"
                           "STYLE WS_POPUP | WS_CAPTION\n"
                           "CAPTION \"Old style\"\n" // 85
                           "FONT 8, \"MS Sans Serif\"\n"
                           "BEGIN\n"
                           "    GROUPBOX \"Group\",IDC_STATIC,2,2,96,36\n"
                           "    RTEXT \"Say \"\"hi\"\"\",IDC_STATIC,5,12,50,8\n"
                           "    EDITTEXT IDC_EDIT,5,22,50,12,ES_AUTOHSCROLL\n" // 90
                           "    AUTORADIOBUTTON \"Radio\",IDC_RADIO,60,22,30,10\n"
                           "END\n"
                           "IDD_ABOUTBOX DLGINIT\n"
                           "BEGIN\n"
                           "    IDC_COMBO, 0x403, 6, 0\n" // 95
                           "0x6e4f, 0x0065,\n"
                           "    0\n"
                           "END\n"
                           "GUIDELINES DESIGNINFO\n"
                           "BEGIN\n" // 100
                           "    IDD_ABOUTBOX, DIALOG\n"
                           "    BEGIN\n"
                           "        LEFTMARGIN, 7\n"
                           "    END\n"
                           "END\n" // 105
                           "VS_VERSION_INFO VERSIONINFO\n"
                           " FILEVERSION 1,0,0,1\n"
                           " FILEFLAGSMASK 0x3fL\n"
                           "BEGIN\n"
                           "    BLOCK \"StringFileInfo\"\n" // 110
                           "    BEGIN\n"
                           "        BLOCK \"040904b0\"\n"
                           "        BEGIN\n"
                           "            VALUE \"FileDescription\", \"Kassenbuch\"\n"
                           "        END\n" // 115
                           "    END\n"
                           "END\n"
                           "IDR_DATA WIDGETS\n"
                           "BEGIN\n"
                           "    1, 2, 3\n" // 120
                           "END\n"
                           "oops ;\n"
                           "STRINGTABLE\n"
                           "BEGIN\n"
                           "    IDR_MAINFRAME \"Kassenbuch\\n\\nKassenbuch\"\n" // 125
                           "    ID_FILE_OPEN \"Opens a file\\nOpen\"\n"
                           "    IDS_TABS \"Col1\\tCol2\\\\path \"\"quoted\"\" \\101\\x42\"\n"
                           "    IDS_MISSING_HEADER \"From a header that is not there\"\n"
                           "END\n"
                           "STRINGTABLE DISCARDABLE\n" // 130
                           "BEGIN\n"
                           "    IDS_SECOND, \"Second table\"\n"
                           "    IDS_DUPLICATE \"Kassenbuch\\n\\nKassenbuch\"\n"
                           "END\n"
                           "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\n" // 135
                           "#pragma code_page(1250)\n"
                           "IDD_OLD DIALOG 0, 0, 100, 40\n"
                           "CAPTION \"Alter Stil \xE8\"\n"
                           "BEGIN\n"
                           "    PUSHBUTTON \"Schlie\xDF\" \"en\",IDOK,5,5,40,14\n" // 140
                           "END\n"
                           "IDR_MAINFRAME MENU\n"
                           "BEGIN\n"
                           "    MENUITEM \"&Datei\", ID_FILE_OPEN\n"
                           "END\n" // 145
                           "STRINGTABLE\n"
                           "BEGIN\n"
                           "    IDS_SECOND \"Zweite Tabelle\"\n"
                           "END\n";

// One node as "kind width x height: text" for comparing whole branches.
std::string Describe(const CTextNode& node)
{
    return std::to_string(node.kindCode) + " " + std::to_string(node.width) + "x" + std::to_string(node.height) +
           ": " + tools_test::Utf8(node.originalText);
}

std::vector<std::string> Branch(const CTextNode& top)
{
    std::vector<std::string> lines;
    for (const CTextNode* node : tools_test::AllNodes(top)) {
        if (node != &top) {
            lines.push_back(std::string(static_cast<std::size_t>(node->GetDepth() - 2) * 2, ' ') + Describe(*node));
        }
    }
    return lines;
}

class FromRc : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteFile(folder / "ids.h", kIds);
        WriteFile(folder / "app.rc", kScript);
    }

    ProcessRun Tra(const std::vector<std::string>& args) const
    {
        std::string command = Quoted(GLOSSMARK_TRA) + " from-rc";
        for (const std::string& arg : args) {
            command += " " + Quoted(arg);
        }
        return bridge_test::Shell(folder, command);
    }

    std::unique_ptr<CLanguageFile> Read(const std::string& name) const
    {
        ReadOutcome outcome = ReadLanguageFile((folder / name).string());
        EXPECT_FALSE(outcome.error) << outcome.error.Describe(name);
        EXPECT_TRUE(outcome.language && outcome.language->root);
        return std::move(outcome.language);
    }

    fs::path folder = tools_test::TestFolder();
};

TEST_F(FromRc, AMessyScriptGivesTheTreeOfItsFirstLanguage)
{
    const ProcessRun run = Tra({"app.rc", "app.tra", "--program=Kassenbuch", "--version=1.0"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto language = Read("app.tra");
    EXPECT_EQ(language->programName, u"Kassenbuch");
    EXPECT_EQ(language->programVersion, u"1.0");
    EXPECT_EQ(language->languageName, u"English");
    EXPECT_EQ(language->flags, 1u);

    const CTextNode& root = *language->root;
    ASSERT_EQ(root.ChildCount(), 3);
    EXPECT_EQ(Branch(*root.GetChild(0)), (std::vector<std::string>{
                                             "1 235x55: \xC3\x9C" "ber Kassenbuch",
                                             "  21 119x8: Kassenbuch, Version 1.0",
                                             "  21 119x8: Copyright \xC2\xA9 2024\tKestrow",
                                             "  23 50x16: OK",
                                             "  24 80x10: &Remember",
                                             "  25 50x10: Slide",
                                             "  23 50x14: Caf\xC3\xA9 \xE2\x82\xAC 5",
                                             "1 100x40: Old style",
                                             "  22 96x36: Group",
                                             "  21 50x8: Say \"hi\"",
                                             "  24 30x10: Radio",
                                         }));
    EXPECT_EQ(Branch(*root.GetChild(1)), (std::vector<std::string>{
                                             "3 0x0: Men\xC3\xBC 128",
                                             "  4 0x0: &File",
                                             "    5 0x0: &Open...\tCtrl+O",
                                             "    5 0x0: E&xit",
                                             "  4 0x0: &Help",
                                             "    5 0x0: &About...",
                                             "3 0x0: Men\xC3\xBC 129",
                                             "  4 0x0: Context",
                                             "    5 0x0: &Copy",
                                             "    5 0x0: Paste &special",
                                         }));
    // By id; a text shared by two ids once; a menu command's string is a command string.
    EXPECT_EQ(Branch(*root.GetChild(2)), (std::vector<std::string>{
                                             "6 0x0: Kassenbuch\n\nKassenbuch",
                                             "6 0x0: Col1\tCol2\\path \"quoted\" AB",
                                             "6 0x0: Second table",
                                             "11 0x0: Opens a file\nOpen",
                                             "6 0x0: From a header that is not there",
                                         }));
    for (const CTextNode* node : tools_test::AllNodes(root)) {
        EXPECT_EQ(node->translatedText, node->originalText);
        EXPECT_EQ(node->editState, node->ChildCount() > 0 ? 1u : 0u) << Describe(*node);
    }

    // What was skipped is said, with its line.
    for (const char* warning : {"app.rc:3: warning: include file <missing_ids.h> not found; skipped",
                                "app.rc:80: warning: ",
                                "app.rc: warning: skipped: 1 TEXTINCLUDE, 1 ICON, 1 CURSOR, 1 DLGINIT, 1 DESIGNINFO, "
                                "1 VERSIONINFO, 1 WIDGETS",
                                "app.rc:122: warning: ",
                                "app.rc:128: warning: IDS_MISSING_HEADER is not defined"}) {
        EXPECT_NE(run.err.find(warning), std::string::npos) << warning << "\n" << run.err;
    }
}

TEST_F(FromRc, AnotherLanguageOfTheScriptIsPickedByItsId)
{
    const ProcessRun run = Tra({"app.rc", "de.tra", "--program=Kassenbuch", "--version=1.0", "--language=LANG_GERMAN"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto german = Read("de.tra");
    EXPECT_EQ(german->languageName, u"German");
    const CTextNode& root = *german->root;
    EXPECT_EQ(Branch(*root.GetChild(0)), (std::vector<std::string>{"1 100x40: Alter Stil \xC4\x8D",
                                                                    "  23 40x14: Schlie\xC3\x9F" "en"}));
    EXPECT_EQ(Branch(*root.GetChild(1)), (std::vector<std::string>{"3 0x0: Men\xC3\xBC 128", "  5 0x0: &Datei"}));
    EXPECT_EQ(Branch(*root.GetChild(2)), (std::vector<std::string>{"6 0x0: Zweite Tabelle"}));

    const ProcessRun named = Tra({"app.rc", "named.tra", "--program=K", "--version=1", "--language=LANG_GERMAN",
                                  "--language-name=Deutsch (Schweiz)"});
    ASSERT_EQ(named.exitCode, 0) << named.err;
    EXPECT_EQ(Read("named.tra")->languageName, u"Deutsch (Schweiz)");

    const ProcessRun absent = Tra({"app.rc", "fr.tra", "--program=K", "--version=1", "--language=LANG_FRENCH"});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_NE(absent.err.find("no resources in LANG_FRENCH (its languages: LANG_ENGLISH, LANG_GERMAN)"),
              std::string::npos)
        << absent.err;
    EXPECT_FALSE(fs::exists(folder / "fr.tra"));
}

TEST_F(FromRc, ANeutralLanguageBeforeTheTextsIsNotTheDefault)
{
    WriteFile(folder / "fr.rc", "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL\n"
                                "1 ICON \"app.ico\"\n"
                                "STRINGTABLE BEGIN 1 \"Commun\" END\n"
                                "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH\n"
                                "STRINGTABLE BEGIN 2 \"Fichier\" END\n");
    ASSERT_EQ(Tra({"fr.rc", "fr.tra", "--program=P", "--version=1"}).exitCode, 0);
    const auto french = Read("fr.tra");
    EXPECT_EQ(french->languageName, u"French");
    // Neutral resources belong to every language.
    EXPECT_EQ(Branch(*french->root->GetChild(2)), (std::vector<std::string>{"6 0x0: Commun", "6 0x0: Fichier"}));
}

TEST_F(FromRc, DefinesAndIncludeFoldersReachTheScript)
{
    fs::create_directories(folder / "inc");
    WriteFile(folder / "inc" / "extra.h", "#define IDS_EXTRA 300\n");
    WriteFile(folder / "small.rc", "#include \"extra.h\"\n"
                                   "STRINGTABLE\nBEGIN\n"
                                   "#ifdef WITH_EXTRA\n    IDS_EXTRA \"Extra\"\n#endif\n"
                                   "#if LEVEL > 2\n    301 \"Level\"\n#endif\n"
                                   "END\n");
    std::vector<std::string> args = {"small.rc", "a.tra", "--program=P", "--version=1",
                                     "--include=" + (folder / "inc").string(), "--define=WITH_EXTRA", "--define=LEVEL=3"};
    ASSERT_EQ(Tra(args).exitCode, 0);
    EXPECT_EQ(Branch(*Read("a.tra")->root->GetChild(2)), (std::vector<std::string>{"6 0x0: Extra", "6 0x0: Level"}));
    // Without a LANGUAGE statement the script is in the language asked for, else in English.
    EXPECT_EQ(Read("a.tra")->languageName, u"English");
    args.push_back("--language=LANG_GERMAN");
    ASSERT_EQ(Tra(args).exitCode, 0);
    EXPECT_EQ(Read("a.tra")->languageName, u"German");
}

TEST_F(FromRc, ScriptsThatCannotBeReadAreRefusedWithFileAndLine)
{
    const struct {
        const char* script;
        const char* error;
    } cases[] = {
        {"STRINGTABLE\nBEGIN\n  1 \"open\n", "bad.rc:3: error: string is not closed on its line"},
        {"/* never closed\nSTRINGTABLE\n", "bad.rc:1: error: comment started here is not closed"},
        {"#if 1\nSTRINGTABLE BEGIN 1 \"a\" END\n", "bad.rc:1: error: #if without #endif"},
        {"#pragma code_page(65001)\nSTRINGTABLE BEGIN 1 \"\xFF\" END\n", "bad.rc:2: error: string holds bytes that are not UTF-8"},
    };
    for (const auto& c : cases) {
        WriteFile(folder / "bad.rc", c.script);
        const ProcessRun run = Tra({"bad.rc", "bad.tra", "--program=P", "--version=1"});
        EXPECT_EQ(run.exitCode, 1) << c.script;
        EXPECT_NE(run.err.find(c.error), std::string::npos) << c.script << "\n" << run.err;
        EXPECT_FALSE(fs::exists(folder / "bad.tra"));
    }
    const ProcessRun missing = Tra({"none.rc", "bad.tra", "--program=P", "--version=1"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("none.rc:0: error: cannot read \"none.rc\": No such file or directory"), std::string::npos) << missing.err;
    EXPECT_EQ(Tra({"app.rc", "bad.tra", "--version=1"}).exitCode, 2) << "the program name is required";
}

TEST_F(FromRc, TheEditorsOwnScriptGivesTheGermanFileTheBuildMakes)
{
    const ProcessRun run = bridge_test::Shell(
        folder, Quoted(GLOSSMARK_TRA) + " from-rc " + Quoted(GLOSSMARK_SOURCE_DIR "/resources/Edit.rc") +
                    " edit.tra '--program=Glossmark Editor' --version=2.002 --language-name=Deutsch "
                    "--switch-entry=IDS_SWITCH_TITLE,IDS_SWITCH_LANGUAGE_NAME,IDS_SWITCH_THIS_VERSION,"
                    "IDS_SWITCH_OLDER_VERSIONS,IDS_SWITCH_OK,IDS_SWITCH_CANCEL,IDS_SWITCH_HELP,"
                    "IDS_SWITCH_VERSION_PREFIX,IDS_SWITCH_OLDER_WARNING,IDS_SWITCH_ERROR,IDS_SWITCH_MENU_TEXT,"
                    "ID_GLOSSMARK_SWITCH");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "") << "the editor's script reads without warnings";
    auto made = Read("edit.tra");
    ReadOutcome built = ReadLanguageFile(GLOSSMARK_BINARY_DIR "/Deutsch.tra");
    ASSERT_TRUE(built.language);
    // The build gives its file the German flag; a script has no flag.
    made->flagPixels = built.language->flagPixels;
    EXPECT_EQ(tools_test::StoredBytes(*made), tools_test::StoredBytes(*built.language));
}

// The scripts of rc-scripts/, each beside what from-rc makes of it (NAME.expected: exit
// status, messages, tree) and whether GNU windres reads it alike: when windres is there,
// from-rc must give the same tree for windres's own rendering of the script ("same"),
// or windres must still fail ("cannot read") or misread it ("differs") as recorded.
// GLOSSMARK_UPDATE_GOLDEN=1 rewrites the expected files.
TEST_F(FromRc, ScriptsGiveTheirExpectedTreesAndWindresAgrees)
{
    const fs::path scripts = GLOSSMARK_SOURCE_DIR "/tests/tools/rc-scripts";
    const bool update = std::getenv("GLOSSMARK_UPDATE_GOLDEN") != nullptr;
    const bool windres = bridge_test::Shell(folder, "command -v x86_64-w64-mingw32-windres").exitCode == 0;
    const auto tree = [this](const fs::path& script, const std::string& out, std::string& text) {
        const ProcessRun run = bridge_test::Shell(folder, "cd " + Quoted(script.parent_path().string()) + " && " +
                                                              Quoted(GLOSSMARK_TRA) + " from-rc " +
                                                              Quoted(script.filename().string()) + " " +
                                                              Quoted((folder / out).string()) + " --program=P --version=1");
        text = "exit: " + std::to_string(run.exitCode) + "\n" + run.err;
        std::string lines;
        if (run.exitCode == 0) {
            const auto language = Read(out);
            lines = "language: " + tools_test::Utf8(language->languageName) + "\n";
            for (const CTextNode* node : tools_test::AllNodes(*language->root))
                if (node->GetDepth() > 0)
                    lines += std::string(static_cast<std::size_t>(node->GetDepth() - 1) * 2, ' ') + Describe(*node) + "\n";
        }
        text += lines;
        return lines;
    };
    int cases = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(scripts)) {
        if (entry.path().extension() != ".rc")
            continue;
        ++cases;
        const fs::path expectedPath = fs::path(entry.path()).replace_extension(".expected");
        std::string actual;
        const std::string ours = tree(entry.path(), "ours.tra", actual);
        std::string expected = tools_test::ReadFile(expectedPath);
        const std::size_t windresLine = expected.rfind("windres: ");
        std::string windresExpected = windresLine == std::string::npos ? "" : expected.substr(windresLine);
        if (windres) {
            const ProcessRun run = bridge_test::Shell(
                folder, "cd " + Quoted(scripts.string()) + " && x86_64-w64-mingw32-windres --preprocessor=cpp "
                        "--preprocessor-arg=-DRC_INVOKED --preprocessor-arg=-D_WIN32 -i " +
                            Quoted(entry.path().filename().string()) + " -O rc -o " + Quoted((folder / "w.rc").string()));
            std::string unused;
            const std::string status = run.exitCode != 0                          ? "cannot read"
                                       : tree(folder / "w.rc", "w.tra", unused) == ours ? "same"
                                                                                   : "differs";
            windresExpected = "windres: " + status + "\n";
        }
        actual += windresExpected;
        if (update)
            tools_test::WriteFile(expectedPath, actual);
        EXPECT_EQ(actual, expected) << entry.path();
    }
    EXPECT_GE(cases, 12);
}

} // namespace
