#pragma once

// The encodings of resource scripts: UTF-8, UTF-16 files (which are read as UTF-8
// and ignore #pragma code_page, as the Windows compiler does), and the code pages
// a script may declare, the East Asian double-byte ones included.

#include <optional>
#include <string>
#include <string_view>

namespace rc_encoding {

constexpr int kUtf8 = 65001;
// The page of a file that was UTF-16 on disk: its bytes are UTF-8 now, for good.
constexpr int kUtf16 = 1200;

// The text of a file as UTF-8 when it was UTF-16LE (byte-order mark FF FE), else as it
// is; byte-order marks at the start are dropped, also when a careless tool doubled them.
struct FileText {
    std::string text;
    bool utf16 = false;
};
FileText Normalise(std::string_view bytes);

bool IsSupported(int codePage);
// Whether byte starts a two-byte character of codePage, whose second byte may be
// '\\' or '"' and is then no escape and no quote.
bool IsLeadByte(int codePage, unsigned char byte);
// The bytes as UTF-16; nullopt when they are not text of codePage.
std::optional<std::u16string> Decode(std::string_view bytes, int codePage);

} // namespace rc_encoding
