#pragma once

// The editor's own resources, compiled from Edit.rc into constant tables at
// build time. Bitmaps are PNG files in the Qt resource system; their paths are
// in the set's bitmaps. Resource ids are in resource.h.

#include "ResourceTypes.h"

const res::ResourceSet& EditorResources();
