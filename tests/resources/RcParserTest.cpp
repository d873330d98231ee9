#include "RcTestSupport.h"

#include "CRcResourceView.h"

namespace {

constexpr std::uint32_t kWsChild = 0x40000000, kWsVisible = 0x10000000, kWsTabStop = 0x00010000,
                        kWsGroup = 0x00020000, kWsBorder = 0x00800000;

TEST(RcParser, StringTableTextsWithEscapesAndUtf8)
{
    const CRcScript script = ParseRc(
        "#define IDS_B 7\n"
        "STRINGTABLE\n"
        "BEGIN\n"
        "    IDS_B,  \"Zeile\\nzwei\\tTab \"\"zitiert\"\" \\\\ \\x41\"\n"
        "    3       \"Übersetzung €\"\n"
        "    5       \"a\" \"b\"\n"
        "END\n");
    ASSERT_EQ(script.strings.size(), 3u);
    EXPECT_EQ(script.strings[0].id, 3u); // sorted by id
    EXPECT_EQ(script.strings[0].text, u"Übersetzung €");
    EXPECT_EQ(script.strings[1].text, u"ab");
    EXPECT_EQ(script.strings[2].id, 7u);
    EXPECT_EQ(script.strings[2].text, u"Zeile\nzwei\tTab \"zitiert\" \\ A");
    EXPECT_EQ(script.strings[2].place.line, 4);
}

TEST(RcParser, MenuWithPopupsSeparatorsAndFlags)
{
    const CRcScript script = ParseRc(
        "1 MENU\n"
        "BEGIN\n"
        "  POPUP \"&Datei\"\n"
        "  BEGIN\n"
        "    MENUITEM \"&Kopieren\\tStrg+C\", 100, GRAYED\n"
        "    MENUITEM SEPARATOR\n"
        "    MENUITEM \"An\", 101, CHECKED GRAYED\n"
        "    POPUP \"Mehr\"\n"
        "    BEGIN\n"
        "      MENUITEM \"Tief\", 102\n"
        "    END\n"
        "  END\n"
        "  MENUITEM \"Oben\", 103\n"
        "END\n");
    ASSERT_EQ(script.menus.size(), 1u);
    const auto& bar = script.menus[0].items;
    ASSERT_EQ(bar.size(), 2u);
    EXPECT_EQ(bar[0].kind, res::MenuItemKind::Popup);
    ASSERT_EQ(bar[0].items.size(), 4u);
    EXPECT_EQ(bar[0].items[0].text, u"&Kopieren\tStrg+C");
    EXPECT_EQ(bar[0].items[0].id, 100u);
    EXPECT_EQ(bar[0].items[0].flags, res::MenuGrayed);
    EXPECT_EQ(bar[0].items[1].kind, res::MenuItemKind::Separator);
    EXPECT_EQ(bar[0].items[2].flags, res::MenuGrayed | res::MenuChecked);
    EXPECT_EQ(bar[0].items[3].items[0].text, u"Tief");
    EXPECT_EQ(bar[1].kind, res::MenuItemKind::Command);
    EXPECT_EQ(bar[1].id, 103u);
}

TEST(RcParser, AcceleratorKeysAndModifiers)
{
    const CRcScript script = ParseRc(
        "1 ACCELERATORS\n"
        "BEGIN\n"
        "  \"c\", 10, VIRTKEY, CONTROL, NOINVERT\n"
        "  VK_F3, 11, VIRTKEY, SHIFT\n"
        "  VK_BACK, 12, VIRTKEY, ALT\n"
        "  \"^Z\", 13\n"
        "  \"a\", 14, ASCII, ALT\n"
        "END\n");
    const auto& entries = script.accelerators.at(0).entries;
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].key, static_cast<std::uint32_t>('C')); // virtual keys of letters are capitals
    EXPECT_EQ(entries[0].flags, res::AccelVirtKey | res::AccelControl);
    EXPECT_EQ(entries[1].key, 0x72u);
    EXPECT_EQ(entries[1].flags, res::AccelVirtKey | res::AccelShift);
    EXPECT_EQ(entries[2].flags, res::AccelVirtKey | res::AccelAlt);
    EXPECT_EQ(entries[3].key, 26u);
    EXPECT_EQ(entries[3].flags, 0u);
    EXPECT_EQ(entries[4].key, static_cast<std::uint32_t>('a'));
    EXPECT_EQ(entries[4].flags, static_cast<std::uint32_t>(res::AccelAlt));
}

TEST(RcParser, DialogControlsGetTheDefaultStylesOfTheirStatement)
{
    const CRcScript script = ParseRc(
        "#define IDC_NAME 1002\n"
        "100 DIALOGEX 0, 0, 332, 71\n"
        "STYLE DS_SETFONT | WS_CHILD\n"
        "CAPTION \"Titel\"\n"
        "FONT 8, \"MS Sans Serif\"\n"
        "BEGIN\n"
        "  LTEXT \"Programm:\", IDC_STATIC, 5, 5, 44, 8\n"
        "  EDITTEXT IDC_NAME, 55, 5, 111, 12, ES_AUTOHSCROLL | NOT WS_BORDER\n"
        "  DEFPUSHBUTTON \"&OK\", IDOK, 79, 229, 63, 14\n"
        "  CONTROL \"\", 1007, \"Static\", SS_BLACKFRAME | NOT WS_VISIBLE, 4, 21, 23, 21\n"
        "  CONTROL \"List1\", 1006, \"SysListView32\", LVS_SINGLESEL | WS_BORDER, 7, 7, 305, 216,\n"
        "          WS_EX_CLIENTEDGE\n"
        "  CONTROL 165, -1, \"Static\", SS_BITMAP, 7, 7, 167, 71\n"
        "  GROUPBOX \"Gruppe\", -1, 1, 2, 3, 4\n"
        "  CONTROL \"Mein\", 9, \"MyClass\", 0, 1, 2, 3, 4\n"
        "END\n");
    ASSERT_EQ(script.dialogs.size(), 1u);
    const RcDialog& dialog = script.dialogs[0];
    EXPECT_EQ(dialog.title, u"Titel");
    EXPECT_EQ(dialog.cx, 332);
    EXPECT_EQ(dialog.style, 0x40000040u | 0x00C00000u); // the caption adds WS_CAPTION
    EXPECT_EQ(dialog.fontName, u"MS Sans Serif");
    EXPECT_EQ(dialog.fontPointSize, 8u);
    const auto& c = dialog.controls;
    ASSERT_EQ(c.size(), 8u);
    EXPECT_EQ(c[0].controlClass, res::ControlClass::Static);
    EXPECT_EQ(c[0].id, -1);
    EXPECT_EQ(c[0].style, kWsChild | kWsVisible | kWsGroup);
    EXPECT_EQ(c[1].controlClass, res::ControlClass::Edit);
    EXPECT_EQ(c[1].id, 1002);
    EXPECT_EQ(c[1].style, kWsChild | kWsVisible | kWsTabStop | 0x80u);
    EXPECT_EQ(c[2].style, kWsChild | kWsVisible | kWsTabStop | 0x1u);
    EXPECT_EQ(c[2].x, 79);
    EXPECT_EQ(c[2].cy, 14);
    EXPECT_EQ(c[3].style, kWsChild | 0x7u);
    EXPECT_EQ(c[4].controlClass, res::ControlClass::ListView);
    EXPECT_EQ(c[4].text, u"List1");
    EXPECT_EQ(c[4].style, kWsChild | kWsVisible | kWsBorder | 0x4u);
    EXPECT_EQ(c[4].exStyle, 0x200u);
    EXPECT_EQ(c[5].text, u"#165");
    EXPECT_EQ(c[6].controlClass, res::ControlClass::Button);
    EXPECT_EQ(c[6].style & 0xFu, 0x7u);
    EXPECT_EQ(c[7].controlClass, res::ControlClass::Custom);
    EXPECT_EQ(c[7].className, u"MyClass");
}

TEST(RcParser, ToolbarAndBitmapsAndTheResourceView)
{
    const CRcScript script = ParseRc(
        "146 TOOLBAR 20, 20\n"
        "BEGIN\n"
        "  BUTTON 32815\n"
        "  SEPARATOR\n"
        "  BUTTON 57664\n"
        "END\n"
        "159 BITMAP DISCARDABLE \"bitmaps\\\\159.png\"\n",
        "/src/res/test.rc");
    ASSERT_EQ(script.toolbars.size(), 1u);
    EXPECT_EQ(script.toolbars[0].commands, (std::vector<std::uint32_t>{32815, 0, 57664}));
    ASSERT_EQ(script.bitmaps.size(), 1u);
    EXPECT_EQ(script.bitmaps[0].file, "bitmaps/159.png");
    EXPECT_EQ(script.bitmaps[0].path, "/src/res/bitmaps/159.png");

    const CRcResourceView view(script);
    ASSERT_EQ(view.Set().bitmaps.size(), 1u);
    EXPECT_EQ(view.Set().bitmaps[0].path, ":/bitmaps/159.png");
    EXPECT_EQ(view.Set().toolbars[0].buttonWidth, 20);
}

TEST(RcParser, OtherProgramsResourceTypesAreSkippedWithAWarning)
{
    const CRcScript script = ParseRc(
        "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\n"
        "#pragma code_page(1252)\n"
        "1 ICON \"app.ico\"\n"
        "1 VERSIONINFO\n"
        " FILEVERSION 1,0,0,1\n"
        "BEGIN\n"
        "  BLOCK \"StringFileInfo\"\n"
        "  BEGIN\n"
        "    VALUE \"CompanyName\", \"x\"\n"
        "  END\n"
        "END\n"
        "STRINGTABLE BEGIN 1 \"ok\" END\n");
    EXPECT_EQ(script.strings.size(), 1u);
    EXPECT_EQ(script.warnings, std::vector<std::string>{"test.rc: warning: skipped: 1 ICON, 1 VERSIONINFO"});
}

TEST(RcParser, BadInputIsReportedAtItsLine)
{
    EXPECT_RC_ERROR("STRINGTABLE\nBEGIN\n  1 \"offen\n", 3, "not closed");
    EXPECT_RC_ERROR("STRINGTABLE\nBEGIN\n  1 \"a\"\n  1 \"b\"\nEND\n", 4, "defined twice");
    EXPECT_RC_ERROR("STRINGTABLE\nBEGIN\n  IDS_NIRGENDS \"a\"\nEND\n", 3, "'IDS_NIRGENDS' is not defined");
    EXPECT_RC_ERROR("STRINGTABLE\nBEGIN\n  70000 \"a\"\nEND\n", 3, "out of range");
    EXPECT_RC_ERROR("STRINGTABLE\nBEGIN\n  1 \"a\"\n", 2, "STRINGTABLE without END");
    EXPECT_RC_ERROR("IDR_MENU MENU\nBEGIN\nEND\n", 1, "'IDR_MENU' is not defined");
    EXPECT_RC_ERROR("1 MENU\nBEGIN\n  MENUITEM \"x\" 5\nEND\n", 3, "expected ','");
    EXPECT_RC_ERROR("1 MENU\nBEGIN\n  MENUITEM \"x\", 5, FETT\nEND\n", 3, "expected a menu option");
    EXPECT_RC_ERROR("1 MENU\nBEGIN\n  POPUP \"x\"\n  BEGIN\n", 4, "without END");
    EXPECT_RC_ERROR("1 MENU\nBEGIN\nEND\n1 MENU\nBEGIN\nEND\n", 4, "menu 1 is defined twice");
    EXPECT_RC_ERROR("1 ACCELERATORS\nBEGIN\n  \"^C\", 5, VIRTKEY\nEND\n", 3, "VIRTKEY");
    EXPECT_RC_ERROR("1 ACCELERATORS\nBEGIN\n  \"C\", 5, CONTROL\nEND\n", 3, "need VIRTKEY");
    EXPECT_RC_ERROR("1 ACCELERATORS\nBEGIN\n  \"CD\", 5\nEND\n", 3, "one character");
    EXPECT_RC_ERROR("1 DIALOG 0, 0, 10\nBEGIN\nEND\n", 2, "expected ',' after the dialog's width");
    EXPECT_RC_ERROR("1 DIALOG 0, 0, 10, 10\nFARBE 3\nBEGIN\nEND\n", 2, "expected a dialog option");
    EXPECT_RC_ERROR("1 DIALOG 0, 0, 10, 10\nBEGIN\n  KNOPF \"x\", 1, 1, 1, 1, 1\nEND\n", 3,
                    "expected a control statement");
    EXPECT_RC_ERROR("1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"x\", 1, 1, 1, 40000, 1\nEND\n", 3,
                    "out of range");
    EXPECT_RC_ERROR("1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"x\", 1, 1, 1, 1, 1, NOT\nEND\n", 4,
                    "expected a control style, found 'END'");
    EXPECT_RC_ERROR("1 TOOLBAR 16, 15\nBEGIN\n  KNOPF 3\nEND\n", 3, "expected BUTTON");
    EXPECT_RC_ERROR("1 BITMAP bild\n", 1, "file name in quotes, found 'bild'");
    EXPECT_RC_ERROR("\n\nEND\n", 3, "where a resource should start");
    EXPECT_RC_ERROR("\"NAME\" MENU\nBEGIN\nEND\n", 1, "numeric id");
    EXPECT_RC_ERROR("1 RCDATA\n", 1, "neither a file name nor");
    EXPECT_RC_ERROR("1 MENU\n", 1, "expected BEGIN");
}

TEST(RcParser, StyleExpressionsFollowCPrecedence)
{
    const CRcScript script = ParseRc(
        "#define BASE (0x10 + 2 * 3)\n"
        "1 DIALOG 0, 0, 10, 10\n"
        "STYLE BASE | 0x100 & 0x300 | ~0xFFFFFFFE\n"
        "BEGIN\n"
        "END\n");
    EXPECT_EQ(script.dialogs[0].style, 0x16u | 0x100u | 0x1u);
}

} // namespace

namespace {

CRcScript ParseLenient(const std::string& text)
{
    CRcSymbols symbols;
    CRcPreprocessor preprocessor(symbols);
    preprocessor.SetSkipMissingIncludes(true);
    CRcParser::Options options;
    options.lenient = true;
    CRcParser parser(preprocessor.ProcessText("test.rc", text), options);
    CRcScript script = parser.Parse();
    script.warnings.insert(script.warnings.begin(), preprocessor.Warnings().begin(), preprocessor.Warnings().end());
    return script;
}

TEST(RcParser, EachResourceKeepsItsLanguageAndIdsAreUniquePerLanguage)
{
    const CRcScript script = ParseRc(
        "STRINGTABLE BEGIN 1 \"neutral\" END\n"
        "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
        "STRINGTABLE BEGIN 2 \"two\" END\n"
        "1 MENU BEGIN MENUITEM \"&Open\", 10 END\n"
        "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\n"
        "STRINGTABLE BEGIN 2 \"zwei\" END\n"
        "1 MENU BEGIN MENUITEM \"\xC3\x96&ffnen\", 10 END\n"
        "STRINGTABLE LANGUAGE LANG_FRENCH, SUBLANG_FRENCH BEGIN 2 \"deux\" END\n"
        "5 DIALOG 0, 0, 10, 10 LANGUAGE LANG_ITALIAN, 1 BEGIN END\n");
    EXPECT_EQ(script.languages, (std::vector<RcLanguageId>{0x09, 0x07}));
    ASSERT_EQ(script.strings.size(), 4u);
    EXPECT_EQ(script.strings[0].language, 0);
    EXPECT_EQ(script.strings[1].language, 0x09);
    EXPECT_EQ(script.strings[2].language, 0x07);
    EXPECT_EQ(script.strings[3].language, 0x0C);
    ASSERT_EQ(script.menus.size(), 2u);
    EXPECT_EQ(script.menus[1].language, 0x07);
    ASSERT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(script.dialogs[0].language, 0x10);
    EXPECT_RC_ERROR("LANGUAGE 9, 1\n1 MENU BEGIN END\nLANGUAGE 9, 2\n1 MENU BEGIN END\n", 4, "defined twice");
}

TEST(RcParser, BackslashNewlineSplicesLinesAsInC)
{
    const CRcScript script = ParseRc(
        "#define IDS_X \\\n  4\n"
        "STRINGTABLE\nBEGIN\n"
        "    IDS_X \"Zeile ohne\\\n Bruch\"\n"
        "    5 \"Ende\"\n"
        "END\n");
    ASSERT_EQ(script.strings.size(), 2u);
    EXPECT_EQ(script.strings[0].id, 4u);
    EXPECT_EQ(script.strings[0].text, u"Zeile ohne Bruch");
    EXPECT_EQ(script.strings[1].place.line, 7) << "the lines after a splice keep their numbers";
}

TEST(RcParser, MenuExItemsWithTypesStatesAndSeparators)
{
    const CRcScript script = ParseRc(
        "1 MENUEX\n"
        "BEGIN\n"
        "  POPUP \"&Edit\", 0, MFT_STRING, MFS_ENABLED, 0\n"
        "  BEGIN\n"
        "    MENUITEM \"&Copy\", 100, MFT_STRING, MFS_GRAYED | MFS_CHECKED\n"
        "    MENUITEM \"\", 0, MFT_SEPARATOR\n"
        "    MENUITEM SEPARATOR\n"
        "    MENUITEM \"Next\", 101, MFT_MENUBREAK\n"
        "    MENUITEM \"Plain\"\n"
        "  END\n"
        "END\n");
    ASSERT_EQ(script.menus.size(), 1u);
    ASSERT_EQ(script.menus[0].items.size(), 1u);
    const RcMenuItem& popup = script.menus[0].items[0];
    EXPECT_EQ(popup.kind, res::MenuItemKind::Popup);
    EXPECT_EQ(popup.text, u"&Edit");
    ASSERT_EQ(popup.items.size(), 5u);
    EXPECT_EQ(popup.items[0].id, 100u);
    EXPECT_EQ(popup.items[0].flags, static_cast<std::uint32_t>(res::MenuGrayed | res::MenuChecked));
    EXPECT_EQ(popup.items[1].kind, res::MenuItemKind::Separator);
    EXPECT_EQ(popup.items[2].kind, res::MenuItemKind::Separator);
    EXPECT_EQ(popup.items[3].flags, static_cast<std::uint32_t>(res::MenuBreak));
    EXPECT_EQ(popup.items[4].text, u"Plain");
    EXPECT_EQ(popup.items[4].kind, res::MenuItemKind::Command);
}

TEST(RcParser, LenientReadingGivesUndefinedNamesIdsOfTheirOwnAndSkipsWhatItCannotRead)
{
    const CRcScript script = ParseLenient(
        "#include <resource.h>\n"
        "IDD_MAIN DIALOG 0, 0, 100, 50\n"
        "BEGIN\n"
        "  LTEXT \"Name\", IDC_NAME, 1, 1, 30, 8\n"
        "  CONTROL \"Check\", IDC_CHECK, \"Button\", BS_AUTOCHECKBOX | UNKNOWN_STYLE, 1, 10, 30, 8\n"
        "  WEIRD 1, 2\n"
        "  LTEXT \"After\", IDC_NAME, 1, 20, 30, 8\n"
        "END\n"
        "STRINGTABLE BEGIN IDS_A \"a\" IDC_NAME \"same name, same id\" END\n"
        "1 MENU BEGIN MENUITEM \"x\" END\n"
        "STRINGTABLE BEGIN 2 \"still read\" END\n");
    ASSERT_EQ(script.dialogs.size(), 1u);
    const RcDialog& dialog = script.dialogs[0];
    ASSERT_EQ(dialog.controls.size(), 3u);
    EXPECT_EQ(dialog.controls[0].id, dialog.controls[2].id);
    EXPECT_EQ(dialog.controls[1].style & 0xF, 0x3u) << "an undefined style adds no bits";
    ASSERT_EQ(script.strings.size(), 3u);
    EXPECT_EQ(script.strings[0].text, u"still read");
    EXPECT_EQ(script.strings[2].id, static_cast<std::uint32_t>(dialog.controls[0].id));
    EXPECT_TRUE(script.menus.empty()) << "a menu item without its id is not readable";
    const auto warned = [&](const std::string& text) {
        return std::any_of(script.warnings.begin(), script.warnings.end(),
                           [&](const std::string& w) { return w.find(text) != std::string::npos; });
    };
    EXPECT_TRUE(warned("test.rc:1: warning: include file <resource.h> not found"));
    EXPECT_TRUE(warned("test.rc:6: warning: expected a control statement"));
    EXPECT_TRUE(warned("test.rc:10: warning: expected ',' between the menu item's text"));
    EXPECT_TRUE(warned("test.rc:5: warning: 'UNKNOWN_STYLE' is not defined"));
}

} // namespace
