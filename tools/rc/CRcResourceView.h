#pragma once

#include "CRcScript.h"
#include "ResourceTypes.h"

#include <deque>
#include <string>
#include <vector>

// A parsed script laid out as a res::ResourceSet, the form the generated
// tables have, so that code written against the editor's compiled resources
// also reads a script loaded at run time (another program's resources).
// The script must outlive the view; the view cannot be copied, since its
// spans point into itself.
class CRcResourceView {
public:
    explicit CRcResourceView(const CRcScript& script, std::string_view bitmapPrefix = "/");
    CRcResourceView(const CRcResourceView&) = delete;
    CRcResourceView& operator=(const CRcResourceView&) = delete;

    const res::ResourceSet& Set() const { return set; }

private:
    std::span<const res::MenuItem> AddItems(const std::vector<RcMenuItem>& items);

    std::vector<res::StringEntry> strings;
    std::deque<std::vector<res::MenuItem>> menuItems;
    std::vector<res::Menu> menus;
    std::vector<res::AcceleratorTable> accelerators;
    std::deque<std::vector<res::DialogControl>> controls;
    std::vector<res::DialogTemplate> dialogs;
    std::vector<res::Toolbar> toolbars;
    std::deque<std::string> bitmapPaths;
    std::vector<res::Bitmap> bitmaps;
    res::ResourceSet set;
};
