// The XLIFF bridge as glossmark-tra sees it: each call goes to the module that
// carries Qt Core, loaded at the first XLIFF command.

#include "ToolModule.h"
#include "XliffModule.h"

namespace xliff_bridge {

namespace {

const XliffTable* Module(std::string& why)
{
    return static_cast<const XliffTable*>(tra_module::Load(kXliffModule, kXliffEntry, why));
}

} // namespace

ExportResult ExportXliff(const CLanguageFile& language, std::u16string_view sourceLanguage,
                         std::u16string_view targetLanguage)
{
    std::string why;
    if (const XliffTable* module = Module(why))
        return module->exportXliff(language, sourceLanguage, targetLanguage);
    return {{}, "cannot load the XLIFF bridge: " + why};
}

ImportResult ImportXliff(std::string_view xliff, CLanguageFile& language)
{
    std::string why;
    if (const XliffTable* module = Module(why))
        return module->importXliff(xliff, language);
    return {"cannot load the XLIFF bridge: " + why, {}};
}

} // namespace xliff_bridge
