#include "CResources.h"

#include <algorithm>

namespace {
const res::ResourceSet* g_set = nullptr;

template <typename T>
const T* FindById(std::span<const T> items, UINT id)
{
    for (const T& item : items) {
        if (item.id == id)
            return &item;
    }
    return nullptr;
}
} // namespace

void CResources::Set(const res::ResourceSet* set) { g_set = set; }

const res::ResourceSet* CResources::Get() { return g_set; }

bool CResources::LoadString(UINT id, std::u16string& text)
{
    text.clear();
    if (!g_set || id == 0 || id >= 0x10000)
        return false;
    const auto strings = g_set->strings;
    // The table is sorted by id; a table that is not still answers, only slower.
    auto it = std::lower_bound(strings.begin(), strings.end(), id,
                               [](const res::StringEntry& e, UINT v) { return e.id < v; });
    const res::StringEntry* found = (it != strings.end() && it->id == id) ? &*it : nullptr;
    if (!found)
        found = FindById(strings, id);
    if (!found)
        return false;
    text.assign(found->text);
    return true;
}

std::u16string CResources::LoadString(UINT id)
{
    std::u16string text;
    LoadString(id, text);
    return text;
}

const res::Menu* CResources::FindMenu(UINT id)
{
    return g_set ? FindById(g_set->menus, id) : nullptr;
}

const res::AcceleratorTable* CResources::FindAccelerators(UINT id)
{
    return g_set ? FindById(g_set->accelerators, id) : nullptr;
}

const res::DialogTemplate* CResources::FindDialog(UINT id)
{
    return g_set ? FindById(g_set->dialogs, id) : nullptr;
}

const res::Toolbar* CResources::FindToolbar(UINT id)
{
    return g_set ? FindById(g_set->toolbars, id) : nullptr;
}

const res::Bitmap* CResources::FindBitmap(UINT id)
{
    return g_set ? FindById(g_set->bitmaps, id) : nullptr;
}
