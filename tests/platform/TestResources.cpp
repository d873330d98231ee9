#include "TestResources.h"

#include "CResources.h"
#include "WinTypes.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <string>

using namespace std::string_view_literals;

namespace testres {
namespace {

constexpr res::StringEntry kStrings[] = {
    {128, u"Glossmark Editor\n\nNew"sv},
    {kCmdOpen, u"Öffnet eine Sprache zum Editieren\nSprache öffnen"sv},
    {kCmdSave, u"Speichert eine Sprache\nSprache speichern\nRest"sv},
    {kCmdAbout, u"Zeigt Informationen"sv},
    {57344, u"Edit"sv},
    {57345, u"Drücken Sie F1, um Hilfe zu erhalten."sv},
    {61460, u"Zeile 2000 von 2000"sv},
};

constexpr res::MenuItem kSubItems[] = {
    {res::MenuItemKind::Command, u"&Tief"sv, kCmdSub, 0, {}},
};

constexpr res::MenuItem kFileItems[] = {
    {res::MenuItemKind::Command, u"Ö&ffnen..."sv, kCmdOpen, 0, {}},
    {res::MenuItemKind::Command, u"S&peichern"sv, kCmdSave, 0, {}},
    {res::MenuItemKind::Separator, u""sv, 0, 0, {}},
    {res::MenuItemKind::Popup, u"&Mehr"sv, 0, 0, kSubItems},
    {res::MenuItemKind::Command, u"&Kopieren\tStrg+C"sv, kCmdCopy, res::MenuGrayed, {}},
};

constexpr res::MenuItem kHelpItems[] = {
    {res::MenuItemKind::Command, u"Inf&o..."sv, kCmdAbout, res::MenuChecked, {}},
};

constexpr res::MenuItem kBar[] = {
    {res::MenuItemKind::Popup, u"&Datei"sv, 0, 0, kFileItems},
    {res::MenuItemKind::Popup, u"&?"sv, 0, 0, kHelpItems},
};

constexpr res::Menu kMenus[] = {{kMenuId, kBar}};

constexpr res::Accelerator kAccels[] = {
    {'C', res::AccelVirtKey | res::AccelControl, kCmdCopy},
    {0x2D, res::AccelVirtKey | res::AccelControl, kCmdCopy}, // Ctrl+Insert
    {'S', res::AccelVirtKey | res::AccelControl, kCmdSave},
    {0x72, res::AccelVirtKey, kCmdOpen},                     // F3
};

constexpr res::AcceleratorTable kAccelTables[] = {{kMenuId, kAccels}};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

constexpr res::DialogControl kFlagControls[] = {
    {res::ControlClass::Button, u"Button"sv, u"&OK"sv, IDOK, 79, 229, 63, 14,
     kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {res::ControlClass::Button, u"Button"sv, u"&Abbrechen"sv, IDCANCEL, 157, 229, 59, 14,
     kChild | WS_TABSTOP, 0},
    {res::ControlClass::ListView, u"SysListView32"sv, u"List1"sv, 1006, 7, 7, 305, 216,
     kChild | WS_BORDER | WS_TABSTOP | LVS_SINGLESEL, 0},
    {res::ControlClass::Static, u"Static"sv, u"Sprache:"sv, IDC_STATIC, 5, 5, 44, 8, kChild, 0},
    {res::ControlClass::Edit, u"Edit"sv, u"Text"sv, 1002, 33, 55, 292, 12,
     kChild | WS_BORDER | ES_AUTOHSCROLL, 0},
    {res::ControlClass::Button, u"Button"sv, u"Gruppe"sv, 1010, 1, 1, 100, 50, kChild | BS_GROUPBOX, 0},
    {res::ControlClass::Button, u"Button"sv, u"&Haken"sv, 1011, 1, 60, 50, 10,
     kChild | BS_AUTOCHECKBOX | WS_DISABLED, 0},
    {res::ControlClass::Custom, u"SysListView32"sv, u"List2"sv, 1012, 1, 80, 50, 10, kChild, 0},
    {res::ControlClass::Static, u"Static"sv, u"unsichtbar"sv, 1013, 1, 90, 50, 10, WS_CHILD, 0},
};

constexpr res::DialogControl kPictureControls[] = {
    {res::ControlClass::Static, u"Static"sv, u"#159"sv, IDC_STATIC, 7, 7, 20, 10,
     kChild | SS_BITMAP, 0},
};

constexpr res::DialogTemplate kDialogs[] = {
    {kDialogId, u"Flagge der Sprache wählen"sv, 0, 0, 319, 250,
     DS_MODALFRAME | DS_SETFONT | WS_CAPTION | WS_SYSMENU, 0, u"MS Sans Serif"sv, 8, kFlagControls},
    {kPictureDialogId, u"Info"sv, 0, 0, 100, 50, DS_SETFONT | WS_CAPTION, 0, u"MS Sans Serif"sv, 8,
     kPictureControls},
};

std::string& StripPath()
{
    static std::string path;
    return path;
}

res::Bitmap g_bitmaps[1];
res::ResourceSet g_set;

} // namespace

const res::ResourceSet& Set()
{
    if (StripPath().empty()) {
        static QTemporaryDir dir;
        // 12 x 2: image 0 red, image 1 mask grey, image 2 blue with one grey pixel.
        QImage strip(12, 2, QImage::Format_RGB32);
        strip.fill(qRgb(255, 0, 0));
        for (int y = 0; y < 2; ++y) {
            for (int x = 4; x < 8; ++x)
                strip.setPixel(x, y, qRgb(192, 192, 192));
            for (int x = 8; x < 12; ++x)
                strip.setPixel(x, y, qRgb(0, 0, 255));
        }
        strip.setPixel(9, 1, qRgb(192, 192, 192));
        const QString file = QDir(dir.path()).filePath(QStringLiteral("strip.png"));
        strip.save(file);
        StripPath() = file.toStdString();
        g_bitmaps[0] = {kStripBitmapId, StripPath()};
        g_set = res::ResourceSet{kStrings, kMenus, kAccelTables, kDialogs, {}, g_bitmaps};
    }
    return g_set;
}

void Install() { CResources::Set(&Set()); }

LOGFONT TextFont()
{
    LOGFONT lf;
    lf.height = -14;
    lf.weight = 400;
    lf.outPrecision = 1;
    lf.clipPrecision = 2;
    lf.quality = 1;
    lf.pitchAndFamily = 0x22;
    lf.faceName = u"MS Sans Serif";
    return lf;
}

} // namespace testres
