#include "CRcResourceView.h"

CRcResourceView::CRcResourceView(const CRcScript& script, std::string_view bitmapPrefix)
{
    for (const RcString& s : script.strings)
        strings.push_back({s.id, s.text});
    for (const RcMenu& menu : script.menus)
        menus.push_back({menu.id, AddItems(menu.items)});
    for (const RcAcceleratorTable& table : script.accelerators)
        accelerators.push_back({table.id, table.entries});
    for (const RcDialog& dialog : script.dialogs) {
        std::vector<res::DialogControl>& list = controls.emplace_back();
        for (const RcDialogControl& c : dialog.controls)
            list.push_back({c.controlClass, c.className, c.text, c.id, c.x, c.y, c.cx, c.cy, c.style,
                            c.exStyle});
        dialogs.push_back({dialog.id, dialog.title, dialog.x, dialog.y, dialog.cx, dialog.cy,
                           dialog.style, dialog.exStyle, dialog.fontName, dialog.fontPointSize, list});
    }
    for (const RcToolbar& toolbar : script.toolbars)
        toolbars.push_back({toolbar.id, toolbar.buttonWidth, toolbar.buttonHeight, toolbar.commands});
    for (const RcBitmap& bitmap : script.bitmaps) {
        const std::string& path = bitmapPaths.emplace_back(RcBitmapResourcePath(bitmapPrefix, bitmap.file));
        bitmaps.push_back({bitmap.id, path});
    }
    set = {strings, menus, accelerators, dialogs, toolbars, bitmaps};
}

std::span<const res::MenuItem> CRcResourceView::AddItems(const std::vector<RcMenuItem>& items)
{
    // The deque keeps every list where it is while more are added.
    std::vector<res::MenuItem>& list = menuItems.emplace_back();
    list.reserve(items.size());
    for (const RcMenuItem& item : items)
        list.push_back({item.kind, item.text, item.id, item.flags, AddItems(item.items)});
    return list;
}
