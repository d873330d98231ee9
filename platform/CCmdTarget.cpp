#include "CCmdTarget.h"

bool CCmdTarget::OnCmdMsg(UINT id, int code, CCmdUI* ui) { return HandleOwnCommand(id, code, ui); }

bool CCmdTarget::UpdateCommandUI(CCmdUI& ui)
{
    if (!OnCmdMsg(ui.m_nID, CN_UPDATE_COMMAND_UI, &ui))
        ui.Enable(OnCmdMsg(ui.m_nID, CN_HAS_HANDLER, nullptr));
    return ui.IsEnabled();
}

void CCmdTarget::AddCommand(UINT id, std::function<void()> handler)
{
    m_commands[id] = std::move(handler);
}

void CCmdTarget::AddCommandRange(UINT first, UINT last, std::function<void(UINT)> handler)
{
    m_ranges[first] = Range{last, std::move(handler)};
}

void CCmdTarget::AddUpdateCommandUI(UINT id, std::function<void(CCmdUI&)> handler)
{
    m_updates[id] = std::move(handler);
}

bool CCmdTarget::HandleOwnCommand(UINT id, int code, CCmdUI* ui)
{
    if (code == CN_UPDATE_COMMAND_UI) {
        auto it = m_updates.find(id);
        if (it == m_updates.end() || !ui)
            return false;
        it->second(*ui);
        return true;
    }
    if (code != CN_COMMAND && code != CN_HAS_HANDLER)
        return false;
    if (auto it = m_commands.find(id); it != m_commands.end()) {
        if (code == CN_COMMAND) {
            auto handler = it->second; // the handler may replace its own entry
            handler();
        }
        return true;
    }
    // Ranges: the one with the greatest first id not above id.
    auto it = m_ranges.upper_bound(id);
    while (it != m_ranges.begin()) {
        --it;
        if (id >= it->first && id <= it->second.last) {
            if (code == CN_COMMAND) {
                auto handler = it->second.handler;
                handler(id);
            }
            return true;
        }
    }
    return false;
}
