#include "EditorLanguages.h"

#include "CTextNode.h"
#include "FlagPictures.h"
#include "resource.h"

CResourceTreeBuilder::SwitchEntry EditorSwitchEntry()
{
    CResourceTreeBuilder::SwitchEntry entry;
    entry.title = IDS_SWITCH_TITLE;
    entry.children = {IDS_SWITCH_LANGUAGE_NAME, IDS_SWITCH_THIS_VERSION, IDS_SWITCH_OLDER_VERSIONS,
                      IDS_SWITCH_OK,            IDS_SWITCH_CANCEL,       IDS_SWITCH_HELP,
                      IDS_SWITCH_VERSION_PREFIX, IDS_SWITCH_OLDER_WARNING, IDS_SWITCH_ERROR,
                      IDS_SWITCH_MENU_TEXT,     ID_GLOSSMARK_SWITCH};
    return entry;
}

EditorLanguages MakeEditorLanguages(const res::ResourceSet& resources,
                                    const CTranslationTable& english, const std::u16string& version)
{
    CResourceTreeBuilder builder(resources);
    builder.SetSwitchEntry(EditorSwitchEntry());

    EditorLanguages languages;
    languages.original = std::make_unique<CLanguageFile>(builder.Build());
    CLanguageFile& original = *languages.original;
    original.SetProgramName(kEditorProgramName);
    original.SetProgramVersion(version);
    original.SetLanguageName(kOriginalLanguageName);
    original.headerNumber3 = 0;
    original.SetOriginal(true);
    original.flagPixels = GermanFlag();

    languages.english =
        MakeEditorTranslation(original, english, kEnglishLanguageName, UnionFlag(), languages.untranslated);
    return languages;
}

std::unique_ptr<CLanguageFile> MakeEditorTranslation(const CLanguageFile& original,
                                                     const CTranslationTable& table,
                                                     const std::u16string& languageName,
                                                     const std::array<COLORREF, CLanguageFile::kFlagPixelCount>& flag,
                                                     std::vector<std::u16string>& untranslated)
{
    auto translation = original.Copy();
    const std::vector<std::u16string> missing = table.Translate(*translation->GetRoot());
    untranslated.insert(untranslated.end(), missing.begin(), missing.end());
    translation->SetLanguageName(languageName);
    translation->SetOriginal(false);
    translation->flagPixels = flag;
    return translation;
}
