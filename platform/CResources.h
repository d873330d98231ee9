#pragma once

// The program's resources: one res::ResourceSet installed at start (the
// editor installs its compiled tables, tests install a small set of their
// own). Every load by id goes through here; a missing id is never an error,
// the caller gets an empty result.

#include "ResourceTypes.h"
#include "WinTypes.h"

#include <string>

class CResources {
public:
    // Installs the set used by every load below; nullptr uninstalls. The set
    // must outlive its use (the compiled tables are static).
    static void Set(const res::ResourceSet* set);
    static const res::ResourceSet* Get();

    // LoadString: the string-table text of id, or the empty string when the
    // id is missing, 0, or not below 65536.
    static std::u16string LoadString(UINT id);
    // Like LoadString, but tells a missing string from an empty one.
    static bool LoadString(UINT id, std::u16string& text);

    static const res::Menu* FindMenu(UINT id);
    static const res::AcceleratorTable* FindAccelerators(UINT id);
    static const res::DialogTemplate* FindDialog(UINT id);
    static const res::Toolbar* FindToolbar(UINT id);
    static const res::Bitmap* FindBitmap(UINT id);
};
