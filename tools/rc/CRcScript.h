#pragma once

#include "ResourceTypes.h"

#include <cstdint>
#include <string_view>
#include <string>
#include <vector>

// The resources of one script as the parser read them, owning their texts.
// CRcResourceView lays them out as a res::ResourceSet; CRcCppWriter writes
// them as constant tables. Each entry keeps the line it was written on, for
// messages about it.

struct RcPlace {
    std::string file;
    int line = 0;
};

// The primary language id (LANG_*) a resource was written in: the last LANGUAGE
// statement before it, or its own; 0 (LANG_NEUTRAL) when the script names none.
using RcLanguageId = std::int32_t;

struct RcString {
    std::uint32_t id = 0;
    std::u16string text;
    RcPlace place;
    RcLanguageId language = 0;
};

struct RcMenuItem {
    res::MenuItemKind kind = res::MenuItemKind::Command;
    std::u16string text;
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::vector<RcMenuItem> items;
    RcPlace place;
};

struct RcMenu {
    std::uint32_t id = 0;
    std::vector<RcMenuItem> items;
    RcPlace place;
    RcLanguageId language = 0;
};

struct RcAcceleratorTable {
    std::uint32_t id = 0;
    std::vector<res::Accelerator> entries;
    RcPlace place;
    RcLanguageId language = 0;
};

struct RcDialogControl {
    res::ControlClass controlClass = res::ControlClass::Static;
    std::u16string className;
    std::u16string text; // an image control names its image as "#<id>"
    std::int32_t id = -1;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    RcPlace place;
};

struct RcDialog {
    std::uint32_t id = 0;
    std::u16string title;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::u16string fontName;
    std::uint16_t fontPointSize = 0;
    std::vector<RcDialogControl> controls;
    RcPlace place;
    RcLanguageId language = 0;
};

struct RcToolbar {
    std::uint32_t id = 0;
    std::int16_t buttonWidth = 0, buttonHeight = 0;
    std::vector<std::uint32_t> commands; // 0 for a separator
    RcPlace place;
    RcLanguageId language = 0;
};

struct RcBitmap {
    std::uint32_t id = 0;
    std::string file; // as written in the script, '/' separated
    std::string path; // the file on disk, resolved against the script's folder
    RcPlace place;
    RcLanguageId language = 0;
};

class CRcScript {
public:
    std::vector<RcString> strings; // sorted by id
    std::vector<RcMenu> menus;     // the others in script order
    std::vector<RcAcceleratorTable> accelerators;
    std::vector<RcDialog> dialogs;
    std::vector<RcToolbar> toolbars;
    std::vector<RcBitmap> bitmaps;
    std::vector<std::string> warnings;
    // Every language that a LANGUAGE statement named, in the order of first mention.
    std::vector<RcLanguageId> languages;

    const RcString* FindString(std::uint32_t id) const;
    const RcDialog* FindDialog(std::uint32_t id) const;
    const RcMenu* FindMenu(std::uint32_t id) const;
};

// The Qt resource path under which a bitmap file of a script is compiled in:
// ":" + prefix + the file as the script names it.
std::string RcBitmapResourcePath(std::string_view prefix, std::string_view file);
