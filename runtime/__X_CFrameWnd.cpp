#include "__X_CFrameWnd.h"

#include "MenuTranslation.h"
#include "TranslatedStrings.h"

bool __X_CFrameWnd::LoadFrame(UINT resourceId)
{
    const bool loaded = CFrameWnd::LoadFrame(resourceId);
    if (loaded)
        TranslateFrameMenu(CWnd(this));
    return loaded;
}

void __X_CFrameWnd::GetMessageString(UINT id, std::u16string& message) const
{
    LoadTranslatedString(message, id);
    message.resize(std::min(message.size(), message.find(u'\n')));
}

bool __X_CFrameWnd::GetToolTipText(UINT id, std::u16string& text) const
{
    text.clear();
    if (id == 0)
        return true;
    std::u16string full;
    LoadTranslatedString(full, id);
    const size_t newline = full.find(u'\n');
    if (newline != std::u16string::npos) {
        const size_t end = full.find(u'\n', newline + 1);
        text = full.substr(newline + 1, end == std::u16string::npos ? end : end - newline - 1);
    }
    text.resize(std::min(text.size(), kMaxToolTip));
    return true;
}
