#pragma once

#include "CLanguageFile.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// The JSON form of a language file that glossmark-tra dumps and builds from: one object with
// the header fields, "flagPixels" (1024 numbers) and "root" (null or a node object with
// "originalText", "translatedText", "kindCode", "width", "height", "editState" and
// "children"). Every field of the file is kept, so dump and build reproduce a file byte for
// byte. Both directions walk the tree on an explicit stack: any depth works.

// Writes language to out, flushing about every megabyte. False when a write failed.
bool WriteLanguageJson(const CLanguageFile& language, std::FILE* out);
std::string LanguageToJson(const CLanguageFile& language);

struct JsonReadResult {
    std::unique_ptr<CLanguageFile> language; // null on an error
    // "line 3, column 7: ..." for malformed JSON; "root.children[2].kindCode: ..." when a
    // key is missing, unknown or holds the wrong type.
    std::string error;
};

JsonReadResult LanguageFromJson(std::string_view json);
