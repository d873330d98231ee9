#pragma once

// Plain data forms of a program's resources (string table, menus, accelerators,
// dialog templates, toolbars, bitmaps). The resource compiler emits constant
// tables of these types; the platform builds windows and menus from them.
// No Qt here, so generators and the compiler can share the types.

#include <cstdint>
#include <span>
#include <string_view>

namespace res {

struct StringEntry {
    std::uint32_t id;
    std::u16string_view text;
};

enum class MenuItemKind : std::uint8_t { Command, Separator, Popup };

struct MenuItem {
    MenuItemKind kind;
    std::u16string_view text;        // with '&' accelerator marks and "\t" shortcut part
    std::uint32_t id;                // command id; 0 for separators and popups
    std::uint32_t flags;             // MenuFlag bits
    std::span<const MenuItem> items; // a popup's items
};

enum MenuFlag : std::uint32_t { MenuGrayed = 1, MenuChecked = 2, MenuBreak = 4 };

struct Menu {
    std::uint32_t id;
    std::span<const MenuItem> items; // the menu bar's popups
};

enum AcceleratorFlag : std::uint32_t {
    AccelVirtKey = 1, AccelShift = 4, AccelControl = 8, AccelAlt = 16
};

struct Accelerator {
    std::uint32_t key;   // virtual key code, or the character when AccelVirtKey is clear
    std::uint32_t flags; // AcceleratorFlag bits
    std::uint32_t command;
};

struct AcceleratorTable {
    std::uint32_t id;
    std::span<const Accelerator> entries;
};

// Window classes of the controls a template may hold.
enum class ControlClass : std::uint8_t {
    Button, Edit, Static, ListBox, ComboBox, ScrollBar, ListView, TreeView, TabControl,
    Custom
};

struct DialogControl {
    ControlClass controlClass;
    std::u16string_view className;  // for Custom, the class name as written
    std::u16string_view text;
    std::int32_t id;                // -1 (IDC_STATIC) for controls without id
    std::int16_t x, y, cx, cy;      // dialog units
    std::uint32_t style;            // Win32 style bits as written (WS_*, BS_*, ES_*, ...)
    std::uint32_t exStyle;
};

struct DialogTemplate {
    std::uint32_t id;
    std::u16string_view title;
    std::int16_t x, y, cx, cy;      // dialog units
    std::uint32_t style;
    std::uint32_t exStyle;
    std::u16string_view fontName;
    std::uint16_t fontPointSize;
    std::span<const DialogControl> controls; // in template (z-) order
};

// Toolbar resource: button size and the command of each button (0 = separator).
struct Toolbar {
    std::uint32_t id;
    std::int16_t buttonWidth, buttonHeight;
    std::span<const std::uint32_t> commands;
};

// Bitmaps are PNG files compiled into the program; path is a Qt resource path.
struct Bitmap {
    std::uint32_t id;
    std::string_view path;
};

// All resources of one program.
struct ResourceSet {
    std::span<const StringEntry> strings;       // sorted by id
    std::span<const Menu> menus;
    std::span<const AcceleratorTable> accelerators;
    std::span<const DialogTemplate> dialogs;
    std::span<const Toolbar> toolbars;
    std::span<const Bitmap> bitmaps;
};

} // namespace res
