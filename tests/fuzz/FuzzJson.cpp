// Fuzz target for the JSON form of a language file: what reads writes back as JSON
// that reads to the same file.
#include "LanguageJson.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const JsonReadResult read = LanguageFromJson(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.language)
        return 0;
    const std::string json = LanguageToJson(*read.language);
    const JsonReadResult again = LanguageFromJson(json);
    if (!again.language || LanguageToJson(*again.language) != json)
        std::abort();
    return 0;
}
