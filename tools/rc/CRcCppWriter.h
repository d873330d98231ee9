#pragma once

#include "CRcScript.h"

#include <string>
#include <vector>

// Writes a parsed script as C++ constant tables of the res:: types, with one
// function that returns them, and the Qt resource file (.qrc) that compiles
// the script's bitmaps in.
class CRcCppWriter {
public:
    struct Options {
        std::string functionName = "EditorResources";
        std::string typesHeader = "ResourceTypes.h";
        std::string sourceName;          // named in the generated file's first line
        std::string bitmapPrefix = "/";  // Qt resource prefix of the bitmaps
        std::string resourceName;        // rcc --name of the bitmaps; empty: not referenced
    };

    static std::string WriteCpp(const CRcScript& script, const Options& options);
    // Bitmap files that do not exist are left out, each with a warning.
    static std::string WriteQrc(const CRcScript& script, const Options& options,
                                std::vector<std::string>& warnings);
};
