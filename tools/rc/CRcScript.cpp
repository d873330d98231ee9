#include "CRcScript.h"

#include <algorithm>

const RcString* CRcScript::FindString(std::uint32_t id) const
{
    auto it = std::lower_bound(strings.begin(), strings.end(), id,
                               [](const RcString& s, std::uint32_t value) { return s.id < value; });
    return (it != strings.end() && it->id == id) ? &*it : nullptr;
}

const RcDialog* CRcScript::FindDialog(std::uint32_t id) const
{
    for (const RcDialog& dialog : dialogs)
        if (dialog.id == id)
            return &dialog;
    return nullptr;
}

const RcMenu* CRcScript::FindMenu(std::uint32_t id) const
{
    for (const RcMenu& menu : menus)
        if (menu.id == id)
            return &menu;
    return nullptr;
}

std::string RcBitmapResourcePath(std::string_view prefix, std::string_view file)
{
    std::string path = ":";
    path += prefix.empty() ? "/" : prefix;
    if (path.back() != '/')
        path += '/';
    while (!file.empty() && file.front() == '/')
        file.remove_prefix(1);
    return path += file;
}
