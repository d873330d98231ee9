#include "CRcSymbols.h"

#include "CRcError.h"
#include "RcLanguages.h"

namespace {

struct BuiltIn {
    const char* name;
    std::int64_t value;
};

// Constants that resource scripts use from windows.h, commctrl.h and the
// framework's afxres.h. Values are those of the Win32 API.
constexpr BuiltIn kBuiltIns[] = {
    // Window styles
    {"WS_OVERLAPPED", 0}, {"WS_TILED", 0}, {"WS_POPUP", 0x80000000}, {"WS_CHILD", 0x40000000},
    {"WS_CHILDWINDOW", 0x40000000}, {"WS_MINIMIZE", 0x20000000}, {"WS_ICONIC", 0x20000000},
    {"WS_VISIBLE", 0x10000000}, {"WS_DISABLED", 0x08000000}, {"WS_CLIPSIBLINGS", 0x04000000},
    {"WS_CLIPCHILDREN", 0x02000000}, {"WS_MAXIMIZE", 0x01000000}, {"WS_CAPTION", 0x00C00000},
    {"WS_BORDER", 0x00800000}, {"WS_DLGFRAME", 0x00400000}, {"WS_VSCROLL", 0x00200000},
    {"WS_HSCROLL", 0x00100000}, {"WS_SYSMENU", 0x00080000}, {"WS_THICKFRAME", 0x00040000},
    {"WS_SIZEBOX", 0x00040000}, {"WS_GROUP", 0x00020000}, {"WS_TABSTOP", 0x00010000},
    {"WS_MINIMIZEBOX", 0x00020000}, {"WS_MAXIMIZEBOX", 0x00010000},
    {"WS_OVERLAPPEDWINDOW", 0x00CF0000}, {"WS_TILEDWINDOW", 0x00CF0000},
    {"WS_POPUPWINDOW", 0x80880000},
    {"WS_EX_DLGMODALFRAME", 0x1}, {"WS_EX_NOPARENTNOTIFY", 0x4}, {"WS_EX_TOPMOST", 0x8},
    {"WS_EX_ACCEPTFILES", 0x10}, {"WS_EX_TRANSPARENT", 0x20}, {"WS_EX_MDICHILD", 0x40},
    {"WS_EX_TOOLWINDOW", 0x80}, {"WS_EX_WINDOWEDGE", 0x100}, {"WS_EX_CLIENTEDGE", 0x200},
    {"WS_EX_CONTEXTHELP", 0x400}, {"WS_EX_RIGHT", 0x1000}, {"WS_EX_LEFT", 0},
    {"WS_EX_RTLREADING", 0x2000}, {"WS_EX_LTRREADING", 0}, {"WS_EX_LEFTSCROLLBAR", 0x4000},
    {"WS_EX_RIGHTSCROLLBAR", 0}, {"WS_EX_CONTROLPARENT", 0x10000}, {"WS_EX_STATICEDGE", 0x20000},
    {"WS_EX_APPWINDOW", 0x40000}, {"WS_EX_OVERLAPPEDWINDOW", 0x300}, {"WS_EX_PALETTEWINDOW", 0x188},
    // Dialog styles
    {"DS_ABSALIGN", 0x1}, {"DS_SYSMODAL", 0x2}, {"DS_3DLOOK", 0x4}, {"DS_FIXEDSYS", 0x8},
    {"DS_NOFAILCREATE", 0x10}, {"DS_LOCALEDIT", 0x20}, {"DS_SETFONT", 0x40},
    {"DS_MODALFRAME", 0x80}, {"DS_NOIDLEMSG", 0x100}, {"DS_SETFOREGROUND", 0x200},
    {"DS_CONTROL", 0x400}, {"DS_CENTER", 0x800}, {"DS_CENTERMOUSE", 0x1000},
    {"DS_CONTEXTHELP", 0x2000}, {"DS_SHELLFONT", 0x48},
    // Button styles
    {"BS_PUSHBUTTON", 0x0}, {"BS_DEFPUSHBUTTON", 0x1}, {"BS_CHECKBOX", 0x2},
    {"BS_AUTOCHECKBOX", 0x3}, {"BS_RADIOBUTTON", 0x4}, {"BS_3STATE", 0x5}, {"BS_AUTO3STATE", 0x6},
    {"BS_GROUPBOX", 0x7}, {"BS_USERBUTTON", 0x8}, {"BS_AUTORADIOBUTTON", 0x9}, {"BS_PUSHBOX", 0xA},
    {"BS_OWNERDRAW", 0xB}, {"BS_TYPEMASK", 0xF}, {"BS_LEFTTEXT", 0x20}, {"BS_RIGHTBUTTON", 0x20},
    {"BS_TEXT", 0}, {"BS_ICON", 0x40}, {"BS_BITMAP", 0x80}, {"BS_LEFT", 0x100},
    {"BS_RIGHT", 0x200}, {"BS_CENTER", 0x300}, {"BS_TOP", 0x400}, {"BS_BOTTOM", 0x800},
    {"BS_VCENTER", 0xC00}, {"BS_PUSHLIKE", 0x1000}, {"BS_MULTILINE", 0x2000},
    {"BS_NOTIFY", 0x4000}, {"BS_FLAT", 0x8000},
    // Edit styles
    {"ES_LEFT", 0x0}, {"ES_CENTER", 0x1}, {"ES_RIGHT", 0x2}, {"ES_MULTILINE", 0x4},
    {"ES_UPPERCASE", 0x8}, {"ES_LOWERCASE", 0x10}, {"ES_PASSWORD", 0x20},
    {"ES_AUTOVSCROLL", 0x40}, {"ES_AUTOHSCROLL", 0x80}, {"ES_NOHIDESEL", 0x100},
    {"ES_OEMCONVERT", 0x400}, {"ES_READONLY", 0x800}, {"ES_WANTRETURN", 0x1000},
    {"ES_NUMBER", 0x2000},
    // Static styles
    {"SS_LEFT", 0x0}, {"SS_CENTER", 0x1}, {"SS_RIGHT", 0x2}, {"SS_ICON", 0x3},
    {"SS_BLACKRECT", 0x4}, {"SS_GRAYRECT", 0x5}, {"SS_WHITERECT", 0x6}, {"SS_BLACKFRAME", 0x7},
    {"SS_GRAYFRAME", 0x8}, {"SS_WHITEFRAME", 0x9}, {"SS_USERITEM", 0xA}, {"SS_SIMPLE", 0xB},
    {"SS_LEFTNOWORDWRAP", 0xC}, {"SS_OWNERDRAW", 0xD}, {"SS_BITMAP", 0xE},
    {"SS_ENHMETAFILE", 0xF}, {"SS_ETCHEDHORZ", 0x10}, {"SS_ETCHEDVERT", 0x11},
    {"SS_ETCHEDFRAME", 0x12}, {"SS_TYPEMASK", 0x1F}, {"SS_REALSIZECONTROL", 0x40},
    {"SS_NOPREFIX", 0x80}, {"SS_NOTIFY", 0x100}, {"SS_CENTERIMAGE", 0x200},
    {"SS_RIGHTJUST", 0x400}, {"SS_REALSIZEIMAGE", 0x800}, {"SS_SUNKEN", 0x1000},
    {"SS_EDITCONTROL", 0x2000}, {"SS_ENDELLIPSIS", 0x4000}, {"SS_PATHELLIPSIS", 0x8000},
    {"SS_WORDELLIPSIS", 0xC000},
    // List box, combo box, scroll bar styles
    {"LBS_NOTIFY", 0x1}, {"LBS_SORT", 0x2}, {"LBS_NOREDRAW", 0x4}, {"LBS_MULTIPLESEL", 0x8},
    {"LBS_OWNERDRAWFIXED", 0x10}, {"LBS_OWNERDRAWVARIABLE", 0x20}, {"LBS_HASSTRINGS", 0x40},
    {"LBS_USETABSTOPS", 0x80}, {"LBS_NOINTEGRALHEIGHT", 0x100}, {"LBS_MULTICOLUMN", 0x200},
    {"LBS_WANTKEYBOARDINPUT", 0x400}, {"LBS_EXTENDEDSEL", 0x800},
    {"LBS_DISABLENOSCROLL", 0x1000}, {"LBS_NODATA", 0x2000}, {"LBS_NOSEL", 0x4000},
    {"LBS_STANDARD", 0xA00003},
    {"CBS_SIMPLE", 0x1}, {"CBS_DROPDOWN", 0x2}, {"CBS_DROPDOWNLIST", 0x3},
    {"CBS_OWNERDRAWFIXED", 0x10}, {"CBS_OWNERDRAWVARIABLE", 0x20}, {"CBS_AUTOHSCROLL", 0x40},
    {"CBS_OEMCONVERT", 0x80}, {"CBS_SORT", 0x100}, {"CBS_HASSTRINGS", 0x200},
    {"CBS_NOINTEGRALHEIGHT", 0x400}, {"CBS_DISABLENOSCROLL", 0x800}, {"CBS_UPPERCASE", 0x2000},
    {"CBS_LOWERCASE", 0x4000},
    {"SBS_HORZ", 0x0}, {"SBS_VERT", 0x1}, {"SBS_TOPALIGN", 0x2}, {"SBS_LEFTALIGN", 0x2},
    {"SBS_BOTTOMALIGN", 0x4}, {"SBS_RIGHTALIGN", 0x4}, {"SBS_SIZEBOX", 0x8}, {"SBS_SIZEGRIP", 0x10},
    // Common controls
    {"LVS_ICON", 0x0}, {"LVS_REPORT", 0x1}, {"LVS_SMALLICON", 0x2}, {"LVS_LIST", 0x3},
    {"LVS_TYPEMASK", 0x3}, {"LVS_SINGLESEL", 0x4}, {"LVS_SHOWSELALWAYS", 0x8},
    {"LVS_SORTASCENDING", 0x10}, {"LVS_SORTDESCENDING", 0x20}, {"LVS_SHAREIMAGELISTS", 0x40},
    {"LVS_NOLABELWRAP", 0x80}, {"LVS_AUTOARRANGE", 0x100}, {"LVS_EDITLABELS", 0x200},
    {"LVS_OWNERDRAWFIXED", 0x400}, {"LVS_ALIGNTOP", 0x0}, {"LVS_ALIGNLEFT", 0x800},
    {"LVS_OWNERDATA", 0x1000}, {"LVS_NOSCROLL", 0x2000}, {"LVS_NOCOLUMNHEADER", 0x4000},
    {"LVS_NOSORTHEADER", 0x8000},
    {"LVS_ALIGNMASK", 0xC00}, {"LVS_TYPESTYLEMASK", 0xFC00},
    {"TVS_HASBUTTONS", 0x1}, {"TVS_HASLINES", 0x2}, {"TVS_LINESATROOT", 0x4},
    {"TVS_EDITLABELS", 0x8}, {"TVS_DISABLEDRAGDROP", 0x10}, {"TVS_SHOWSELALWAYS", 0x20},
    {"TVS_RTLREADING", 0x40}, {"TVS_NOTOOLTIPS", 0x80}, {"TVS_CHECKBOXES", 0x100},
    {"TVS_TRACKSELECT", 0x200}, {"TVS_SINGLEEXPAND", 0x400}, {"TVS_INFOTIP", 0x800},
    {"TVS_FULLROWSELECT", 0x1000}, {"TVS_NOSCROLL", 0x2000}, {"TVS_NONEVENHEIGHT", 0x4000},
    {"TVS_NOHSCROLL", 0x8000},
    {"TCS_SCROLLOPPOSITE", 0x1}, {"TCS_BOTTOM", 0x2}, {"TCS_RIGHT", 0x2}, {"TCS_MULTISELECT", 0x4},
    {"TCS_FLATBUTTONS", 0x8}, {"TCS_FORCEICONLEFT", 0x10}, {"TCS_FORCELABELLEFT", 0x20},
    {"TCS_HOTTRACK", 0x40}, {"TCS_VERTICAL", 0x80}, {"TCS_TABS", 0x0}, {"TCS_BUTTONS", 0x100},
    {"TCS_SINGLELINE", 0x0}, {"TCS_MULTILINE", 0x200}, {"TCS_RIGHTJUSTIFY", 0x0},
    {"TCS_FIXEDWIDTH", 0x400}, {"TCS_RAGGEDRIGHT", 0x800}, {"TCS_FOCUSONBUTTONDOWN", 0x1000},
    {"TCS_OWNERDRAWFIXED", 0x2000}, {"TCS_TOOLTIPS", 0x4000}, {"TCS_FOCUSNEVER", 0x8000},
    {"TBS_AUTOTICKS", 0x1}, {"TBS_VERT", 0x2}, {"TBS_HORZ", 0x0}, {"TBS_TOP", 0x4},
    {"TBS_BOTTOM", 0x0}, {"TBS_LEFT", 0x4}, {"TBS_RIGHT", 0x0}, {"TBS_BOTH", 0x8},
    {"TBS_NOTICKS", 0x10}, {"TBS_ENABLESELRANGE", 0x20}, {"TBS_FIXEDLENGTH", 0x40},
    {"TBS_NOTHUMB", 0x80}, {"TBS_TOOLTIPS", 0x100}, {"TBS_REVERSED", 0x200},
    {"TBS_DOWNISLEFT", 0x400}, {"TBS_NOTIFYBEFOREMOVE", 0x800}, {"TBS_TRANSPARENTBKGND", 0x1000},
    {"UDS_WRAP", 0x1}, {"UDS_SETBUDDYINT", 0x2}, {"UDS_ALIGNRIGHT", 0x4}, {"UDS_ALIGNLEFT", 0x8},
    {"UDS_AUTOBUDDY", 0x10}, {"UDS_ARROWKEYS", 0x20}, {"UDS_HORZ", 0x40}, {"UDS_NOTHOUSANDS", 0x80},
    {"UDS_HOTTRACK", 0x100},
    {"PBS_SMOOTH", 0x1}, {"PBS_VERTICAL", 0x4}, {"PBS_MARQUEE", 0x8}, {"PBS_SMOOTHREVERSE", 0x10},
    {"ACS_CENTER", 0x1}, {"ACS_TRANSPARENT", 0x2}, {"ACS_AUTOPLAY", 0x4}, {"ACS_TIMER", 0x8},
    {"DTS_UPDOWN", 0x1}, {"DTS_SHOWNONE", 0x2}, {"DTS_SHORTDATEFORMAT", 0x0},
    {"DTS_LONGDATEFORMAT", 0x4}, {"DTS_SHORTDATECENTURYFORMAT", 0xC}, {"DTS_TIMEFORMAT", 0x9},
    {"DTS_APPCANPARSE", 0x10}, {"DTS_RIGHTALIGN", 0x20},
    {"MCS_DAYSTATE", 0x1}, {"MCS_MULTISELECT", 0x2}, {"MCS_WEEKNUMBERS", 0x4},
    {"MCS_NOTODAYCIRCLE", 0x8}, {"MCS_NOTODAY", 0x10},
    {"HDS_HORZ", 0x0}, {"HDS_BUTTONS", 0x2}, {"HDS_HOTTRACK", 0x4}, {"HDS_HIDDEN", 0x8},
    {"HDS_DRAGDROP", 0x40}, {"HDS_FULLDRAG", 0x80},
    {"CCS_TOP", 0x1}, {"CCS_NOMOVEY", 0x2}, {"CCS_BOTTOM", 0x3}, {"CCS_NORESIZE", 0x4},
    {"CCS_NOPARENTALIGN", 0x8}, {"CCS_ADJUSTABLE", 0x20}, {"CCS_NODIVIDER", 0x40}, {"CCS_VERT", 0x80},
    {"SBARS_SIZEGRIP", 0x100}, {"SBARS_TOOLTIPS", 0x800}, {"TTS_ALWAYSTIP", 0x1}, {"TTS_NOPREFIX", 0x2},
    {"RBS_TOOLTIPS", 0x100}, {"RBS_VARHEIGHT", 0x200}, {"RBS_BANDBORDERS", 0x400},
    {"RBS_FIXEDORDER", 0x800},
    {"TBSTYLE_BUTTON", 0x0}, {"TBSTYLE_SEP", 0x1}, {"TBSTYLE_CHECK", 0x2}, {"TBSTYLE_GROUP", 0x4},
    {"TBSTYLE_TOOLTIPS", 0x100}, {"TBSTYLE_WRAPABLE", 0x200}, {"TBSTYLE_ALTDRAG", 0x400},
    {"TBSTYLE_FLAT", 0x800}, {"TBSTYLE_LIST", 0x1000}, {"TBSTYLE_CUSTOMERASE", 0x2000},
    {"TBSTYLE_REGISTERDROP", 0x4000}, {"TBSTYLE_TRANSPARENT", 0x8000},
    // Virtual keys
    {"VK_BACK", 0x08}, {"VK_TAB", 0x09}, {"VK_CLEAR", 0x0C}, {"VK_RETURN", 0x0D},
    {"VK_SHIFT", 0x10}, {"VK_CONTROL", 0x11}, {"VK_MENU", 0x12}, {"VK_PAUSE", 0x13},
    {"VK_CAPITAL", 0x14}, {"VK_ESCAPE", 0x1B}, {"VK_SPACE", 0x20}, {"VK_PRIOR", 0x21},
    {"VK_NEXT", 0x22}, {"VK_END", 0x23}, {"VK_HOME", 0x24}, {"VK_LEFT", 0x25}, {"VK_UP", 0x26},
    {"VK_RIGHT", 0x27}, {"VK_DOWN", 0x28}, {"VK_SELECT", 0x29}, {"VK_PRINT", 0x2A},
    {"VK_EXECUTE", 0x2B}, {"VK_SNAPSHOT", 0x2C}, {"VK_INSERT", 0x2D}, {"VK_DELETE", 0x2E},
    {"VK_HELP", 0x2F}, {"VK_NUMPAD0", 0x60}, {"VK_NUMPAD1", 0x61}, {"VK_NUMPAD2", 0x62},
    {"VK_NUMPAD3", 0x63}, {"VK_NUMPAD4", 0x64}, {"VK_NUMPAD5", 0x65}, {"VK_NUMPAD6", 0x66},
    {"VK_NUMPAD7", 0x67}, {"VK_NUMPAD8", 0x68}, {"VK_NUMPAD9", 0x69}, {"VK_MULTIPLY", 0x6A},
    {"VK_ADD", 0x6B}, {"VK_SEPARATOR", 0x6C}, {"VK_SUBTRACT", 0x6D}, {"VK_DECIMAL", 0x6E},
    {"VK_DIVIDE", 0x6F}, {"VK_F1", 0x70}, {"VK_F2", 0x71}, {"VK_F3", 0x72}, {"VK_F4", 0x73},
    {"VK_F5", 0x74}, {"VK_F6", 0x75}, {"VK_F7", 0x76}, {"VK_F8", 0x77}, {"VK_F9", 0x78},
    {"VK_F10", 0x79}, {"VK_F11", 0x7A}, {"VK_F12", 0x7B}, {"VK_NUMLOCK", 0x90},
    {"VK_SCROLL", 0x91},
    // Dialog result ids
    {"IDOK", 1}, {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4}, {"IDIGNORE", 5},
    {"IDYES", 6}, {"IDNO", 7}, {"IDCLOSE", 8}, {"IDHELP", 9}, {"IDC_STATIC", -1},
    // Menu item types and states of MENUEX
    {"MFT_STRING", 0}, {"MFT_BITMAP", 0x4}, {"MFT_MENUBARBREAK", 0x20}, {"MFT_MENUBREAK", 0x40},
    {"MFT_OWNERDRAW", 0x100}, {"MFT_RADIOCHECK", 0x200}, {"MFT_SEPARATOR", 0x800},
    {"MFT_RIGHTORDER", 0x2000}, {"MFT_RIGHTJUSTIFY", 0x4000}, {"MFS_ENABLED", 0},
    {"MFS_UNCHECKED", 0}, {"MFS_UNHILITE", 0}, {"MFS_GRAYED", 0x3}, {"MFS_DISABLED", 0x3},
    {"MFS_CHECKED", 0x8}, {"MFS_HILITE", 0x80}, {"MFS_DEFAULT", 0x1000},
    // The framework's standard ids
    {"AFX_IDS_APP_TITLE", 0xE000}, {"AFX_IDS_IDLEMESSAGE", 0xE001},
    {"ID_FILE_NEW", 0xE100}, {"ID_FILE_OPEN", 0xE101}, {"ID_FILE_CLOSE", 0xE102},
    {"ID_FILE_SAVE", 0xE103}, {"ID_FILE_SAVE_AS", 0xE104}, {"ID_FILE_PAGE_SETUP", 0xE105},
    {"ID_FILE_PRINT_SETUP", 0xE106}, {"ID_FILE_PRINT", 0xE107}, {"ID_FILE_PRINT_DIRECT", 0xE108},
    {"ID_FILE_PRINT_PREVIEW", 0xE109}, {"ID_FILE_UPDATE", 0xE10A},
    {"ID_FILE_SAVE_COPY_AS", 0xE10B}, {"ID_FILE_SEND_MAIL", 0xE10C},
    {"ID_FILE_MRU_FILE1", 0xE110}, {"ID_FILE_MRU_FILE2", 0xE111}, {"ID_FILE_MRU_FILE3", 0xE112},
    {"ID_FILE_MRU_FILE4", 0xE113},
    {"ID_EDIT_CLEAR", 0xE120}, {"ID_EDIT_CLEAR_ALL", 0xE121}, {"ID_EDIT_COPY", 0xE122},
    {"ID_EDIT_CUT", 0xE123}, {"ID_EDIT_FIND", 0xE124}, {"ID_EDIT_PASTE", 0xE125},
    {"ID_EDIT_PASTE_LINK", 0xE126}, {"ID_EDIT_PASTE_SPECIAL", 0xE127},
    {"ID_EDIT_REPEAT", 0xE128}, {"ID_EDIT_REPLACE", 0xE129}, {"ID_EDIT_SELECT_ALL", 0xE12A},
    {"ID_EDIT_UNDO", 0xE12B}, {"ID_EDIT_REDO", 0xE12C},
    {"ID_WINDOW_NEW", 0xE130}, {"ID_WINDOW_ARRANGE", 0xE131}, {"ID_WINDOW_CASCADE", 0xE132},
    {"ID_WINDOW_TILE_HORZ", 0xE133}, {"ID_WINDOW_TILE_VERT", 0xE134},
    {"ID_WINDOW_SPLIT", 0xE135},
    {"ID_APP_ABOUT", 0xE140}, {"ID_APP_EXIT", 0xE141}, {"ID_HELP_INDEX", 0xE142},
    {"ID_HELP_FINDER", 0xE143}, {"ID_HELP_USING", 0xE144}, {"ID_CONTEXT_HELP", 0xE145},
    {"ID_HELP", 0xE146}, {"ID_DEFAULT_HELP", 0xE147},
    {"ID_NEXT_PANE", 0xE150}, {"ID_PREV_PANE", 0xE151},
    {"ID_INDICATOR_EXT", 0xE700}, {"ID_INDICATOR_CAPS", 0xE701}, {"ID_INDICATOR_NUM", 0xE702},
    {"ID_INDICATOR_SCRL", 0xE703}, {"ID_INDICATOR_OVR", 0xE704}, {"ID_INDICATOR_REC", 0xE705},
    {"ID_VIEW_TOOLBAR", 0xE800}, {"ID_VIEW_STATUS_BAR", 0xE801},
    {"AFX_IDW_PANE_FIRST", 0xE900},
};

struct BuiltInText {
    const char* name;
    const char16_t* value;
};

// Window class names that CONTROL statements may name through a macro.
constexpr BuiltInText kBuiltInTexts[] = {
    {"WC_LISTVIEW", u"SysListView32"}, {"WC_TREEVIEW", u"SysTreeView32"},
    {"WC_TABCONTROL", u"SysTabControl32"}, {"WC_BUTTON", u"Button"}, {"WC_EDIT", u"Edit"},
    {"WC_STATIC", u"Static"}, {"WC_LISTBOX", u"ListBox"}, {"WC_COMBOBOX", u"ComboBox"},
    {"WC_SCROLLBAR", u"ScrollBar"}, {"WC_HEADER", u"SysHeader32"}, {"WC_IPADDRESS", u"SysIPAddress32"},
    {"WC_LINK", u"SysLink"}, {"WC_COMBOBOXEX", u"ComboBoxEx32"}, {"TRACKBAR_CLASS", u"msctls_trackbar32"},
    {"UPDOWN_CLASS", u"msctls_updown32"}, {"PROGRESS_CLASS", u"msctls_progress32"},
    {"HOTKEY_CLASS", u"msctls_hotkey32"}, {"ANIMATE_CLASS", u"SysAnimate32"},
    {"DATETIMEPICK_CLASS", u"SysDateTimePick32"}, {"MONTHCAL_CLASS", u"SysMonthCal32"},
    {"STATUSCLASSNAME", u"msctls_statusbar32"}, {"TOOLBARCLASSNAME", u"ToolbarWindow32"},
};

CRcToken NumberToken(std::int64_t value)
{
    CRcToken token;
    token.kind = CRcToken::Kind::Number;
    token.number = value;
    token.text = std::to_string(value);
    return token;
}

bool SameReplacement(const std::vector<CRcToken>& a, const std::vector<CRcToken>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].text != b[i].text || a[i].value != b[i].value ||
            a[i].number != b[i].number)
            return false;
    }
    return true;
}

} // namespace

CRcSymbols::CRcSymbols()
{
    for (const auto& builtIn : kBuiltIns) {
        Macro macro;
        macro.builtIn = true;
        if (builtIn.value < 0) {
            // Written as (-1) so that "x - IDC_STATIC" stays what it says.
            CRcToken open, minus, close;
            open.kind = minus.kind = close.kind = CRcToken::Kind::Punct;
            open.text = "(";
            minus.text = "-";
            close.text = ")";
            macro.replacement = {open, minus, NumberToken(-builtIn.value), close};
        } else {
            macro.replacement = {NumberToken(builtIn.value)};
        }
        macros[builtIn.name] = std::move(macro);
    }
    const auto builtInNumber = [this](std::string_view name, std::int64_t value) {
        Macro& macro = macros[std::string(name)];
        macro.replacement = {NumberToken(value)};
        macro.builtIn = true;
    };
    for (const RcLanguageName& language : RcPrimaryLanguages())
        builtInNumber(language.symbol, language.id);
    for (const RcSubLanguage& language : RcSubLanguages())
        builtInNumber(language.symbol, language.id);
    for (const auto& builtIn : kBuiltInTexts) {
        Macro macro;
        macro.builtIn = true;
        CRcToken token;
        token.kind = CRcToken::Kind::String;
        token.value = builtIn.value;
        token.text = "\"" + std::string(builtIn.value, builtIn.value + std::char_traits<char16_t>::length(builtIn.value)) + "\"";
        macro.replacement = {token};
        macros[builtIn.name] = std::move(macro);
    }
}

void CRcSymbols::Define(const std::string& name, Macro macro)
{
    auto it = macros.find(name);
    if (it != macros.end() && !it->second.builtIn &&
        (it->second.functionLike != macro.functionLike || it->second.parameters != macro.parameters ||
         !SameReplacement(it->second.replacement, macro.replacement))) {
        throw CRcError(macro.file, macro.line,
                       "'" + name + "' redefined with another value (first defined at " +
                           it->second.file + ":" + std::to_string(it->second.line) + ")");
    }
    macros[name] = std::move(macro);
}

void CRcSymbols::DefineNumber(const std::string& name, std::int64_t value)
{
    Macro macro;
    macro.replacement = {NumberToken(value)};
    macro.file = "<command line>";
    Define(name, std::move(macro));
}

const CRcSymbols::Macro* CRcSymbols::Find(const std::string& name) const
{
    auto it = macros.find(name);
    return it == macros.end() ? nullptr : &it->second;
}
