#include "UiLanguage.h"

#include "CLanguageSwitchDialog.h"
#include "CMenu.h"
#include "CMessageBox.h"
#include "CMessageHooks.h"
#include "CProfile.h"
#include "CTranslationState.h"
#include "DialogTranslation.h"
#include "LanguageFileIO.h"
#include "MenuTranslation.h"
#include "QtStrings.h"
#include "SafeFormat.h"
#include "TranslationSettings.h"

#include <QTabWidget>

#include <utility>

namespace settings = translation_settings;

namespace {

void FillInfo(const CLanguageFile& file, const std::u16string& fileName, LanguageInfo& info)
{
    info.programName = file.programName;
    info.programVersion = file.programVersion;
    info.languageName = file.languageName;
    info.headerText4 = file.headerText4;
    info.fileName = fileName;
    info.flags = file.flags;
    info.headerNumber2 = file.headerNumber2;
}

void EnableSwitchItem(CMenu* popup)
{
    if (popup)
        popup->EnableMenuItem(settings::kSwitchCommandId, MF_BYCOMMAND | MF_ENABLED);
}

// A page of a tabbed container is translated together with its container's
// captions; a container itself is left to its pages.
unsigned DialogMode(QWidget* dialog, bool& translate)
{
    translate = qobject_cast<QTabWidget*>(dialog) == nullptr;
    return TabContainerOfPage(dialog) ? kPage : kPlainDialog;
}

void CallHook(const HookEvent& event)
{
    CTranslationState& state = CTranslationState::Get();
    switch (event.message) {
    case HookMessage::Command:
        // A chosen menu item is posted, so a call hook never sees it; the
        // capture change below stands for it.
        if (event.id == settings::kSwitchCommandId && event.source != CommandSource::Menu)
            DoAutomaticSwitchDialog();
        break;
    case HookMessage::InitMenuPopup:
        EnableSwitchItem(event.menu);
        break;
    case HookMessage::MenuSelect:
        state.menuSelectFlag = !event.menuClosed && event.id == settings::kSwitchCommandId;
        break;
    case HookMessage::CaptureChanged:
        if (state.menuSelectFlag) {
            state.menuSelectFlag = false;
            DoAutomaticSwitchDialog();
        }
        break;
    case HookMessage::InitDialog: {
        bool translate = false;
        const unsigned mode = DialogMode(event.window, translate);
        if (translate)
            TranslateDialog(CWnd(event.window), mode);
        break;
    }
    default:
        break;
    }
}

void ReturnHook(const HookEvent& event)
{
    if (event.message != HookMessage::InitMenuPopup || !event.menu)
        return;
    CTranslationState& state = CTranslationState::Get();
    EnableSwitchItem(event.menu);
    const HMENU popup = event.menu->GetSafeHmenu();
    const bool tracked = (state.dialogTracker && state.dialogTracker->HoldsPopup(popup)) ||
                         (state.frameTracker && state.frameTracker->HoldsPopup(popup));
    if (!tracked)
        TranslatePopupMenu(event.menu);
}

} // namespace

bool LoadTranslationFile(const std::u16string& fileName, bool showMessage)
{
    CTranslationState& state = CTranslationState::Get();
    state.fileName = fileName;
    state.fileChosen = false;
    state.dialogTracker = std::make_unique<CDialogTracker>();
    state.frameTracker = std::make_unique<CFrameTracker>();

    ReadOutcome outcome = ReadLanguageFile(NativePath(fileName));
    if (!outcome.language) {
        if (showMessage) {
            const CFormatArg args[] = {fileName, fileName};
            AfxMessageBox(SafeFormat(settings::kMissingFileMessage, args), MB_OK);
        }
        return false;
    }
    if (outcome.wrongMagic)
        AfxMessageBox(kCorruptFileMessage, MB_OK);
    state.SetCurrent(std::move(outcome.language));
    state.callHook = CMessageHooks::SetWindowsHookEx(HookType::CallWndProc, CallHook);
    state.returnHook = CMessageHooks::SetWindowsHookEx(HookType::CallWndProcRet, ReturnHook);
    return true;
}

void UnloadTranslation()
{
    CTranslationState& state = CTranslationState::Get();
    if (settings::kStoreAtExit) {
        LanguageInfo info;
        GetCurrentLanguageInfo(info);
        CProfile::WriteProfileString(std::u16string(settings::kProfileSection),
                                     std::u16string(settings::kProfileEntry), info.fileName);
        CProfile::WriteProfileInt(std::u16string(settings::kProfileSection),
                                  std::u16string(settings::kProfileChoiceEntry),
                                  state.fileChosen && !info.fileName.empty() ? 1 : 0);
    }
    state.SetCurrent(nullptr);
    state.previous.reset();
    state.SetSwitchMapping(nullptr);
    state.dialogTracker.reset();
    state.frameTracker.reset();
    CMessageHooks::UnhookWindowsHookEx(state.callHook);
    CMessageHooks::UnhookWindowsHookEx(state.returnHook);
    state.callHook = 0;
    state.returnHook = 0;
    state.menuSelectFlag = false;
    state.fileChosen = false;
}

bool GetCurrentLanguageInfo(LanguageInfo& info)
{
    const CTranslationState& state = CTranslationState::Get();
    if (!state.Current())
        return false;
    FillInfo(*state.Current(), state.fileName, info);
    return true;
}

bool ReadLanguageInfo(const std::u16string& fileName, LanguageInfo& info)
{
    const ReadOutcome outcome = ReadLanguageFile(NativePath(fileName), ReadDepth::Header);
    if (!outcome.language)
        return false;
    if (outcome.wrongMagic)
        AfxMessageBox(kCorruptFileMessage, MB_OK);
    FillInfo(*outcome.language, fileName, info);
    return true;
}

std::unique_ptr<CBitmap> ReadLanguageFlag(const std::u16string& fileName,
                                          const CDeviceContext& dc)
{
    const ReadOutcome outcome = ReadLanguageFile(NativePath(fileName), ReadDepth::HeaderAndFlag);
    if (!outcome.language)
        return nullptr;
    // A file that is no language file says so here too, once per read.
    if (outcome.wrongMagic)
        AfxMessageBox(kCorruptFileMessage, MB_OK);
    return outcome.language->CreateFlagBitmap(dc);
}

CLanguageFile* GetCurrentTranslation()
{
    return CTranslationState::Get().Current();
}

const CLanguageFile* GetLookupTranslation()
{
    return CTranslationState::Get().Lookup();
}

const std::u16string& GetCurrentTranslationFileName()
{
    return CTranslationState::Get().fileName;
}

void SetSwitchMapping(std::unique_ptr<CLanguageFile> mapping)
{
    CTranslationState::Get().SetSwitchMapping(std::move(mapping));
}

std::unique_ptr<CLanguageFile> TakeSwitchMapping()
{
    return CTranslationState::Get().TakeSwitchMapping();
}

void InvalidateStringIndex()
{
    CTranslationState::Get().TextsChanged();
}

const CTextNode* FindTopNode(const CLanguageFile* file, const std::u16string& text)
{
    if (!file || !file->GetRoot())
        return nullptr;
    return file->GetRoot()->FindByPath(&text, 1);
}

const CTextNode* FindSwitchEntry()
{
    const CTextNode* dialogs = FindTopNode(GetCurrentTranslation(), u"Dialoge");
    for (std::int32_t i = 0; dialogs && i < dialogs->ChildCount(); ++i) {
        const CTextNode* child = dialogs->GetChild(i);
        if (child && child->kindCode == settings::kSwitchEntryKind)
            return child;
    }
    return nullptr;
}

namespace {
std::function<void()>& SwitchDialogHandler()
{
    static std::function<void()> handler;
    return handler;
}
} // namespace

void DoAutomaticSwitchDialog()
{
    if (const auto& handler = SwitchDialogHandler())
        handler();
    else
        ShowAutomaticSwitchDialog();
}

std::function<void()> SetSwitchDialogHandler(std::function<void()> handler)
{
    return std::exchange(SwitchDialogHandler(), std::move(handler));
}
