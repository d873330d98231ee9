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

    languages.english = original.Copy();
    CLanguageFile& translation = *languages.english;
    languages.untranslated = english.Translate(*translation.GetRoot());
    translation.SetLanguageName(kEnglishLanguageName);
    translation.SetOriginal(false);
    translation.flagPixels = UnionFlag();
    return languages;
}
