#pragma once

// Something that handles commands by numeric id: the message map of the
// design as a table of handlers. Routing between targets (view -> document ->
// frame -> application) is done by overriding OnCmdMsg and asking the next
// target when the own table has no entry.

#include "CCmdUI.h"
#include "WinTypes.h"

#include <functional>
#include <map>

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // code CN_COMMAND: runs the command handler of id; ui is nullptr.
    // code CN_UPDATE_COMMAND_UI: runs the update handler of id with ui.
    // code CN_HAS_HANDLER: runs nothing, only answers.
    // Returns whether this target (or one it routes to) has such a handler.
    // A routing target overrides this one function.
    virtual bool OnCmdMsg(UINT id, int code, CCmdUI* ui);

    // Whether the route has a command handler for id, without running it.
    bool HasCommandHandler(UINT id) { return OnCmdMsg(id, CN_HAS_HANDLER, nullptr); }

    // The update rule of menus and toolbars: the update handler decides when
    // there is one; else the item is enabled exactly when a command handler
    // exists. Fills ui and returns its enabled state.
    bool UpdateCommandUI(CCmdUI& ui);

protected:
    // The message map. A later registration for the same id replaces the earlier.
    void AddCommand(UINT id, std::function<void()> handler);
    void AddCommandRange(UINT first, UINT last, std::function<void(UINT)> handler);
    void AddUpdateCommandUI(UINT id, std::function<void(CCmdUI&)> handler);

    // The own table only (no routing); what OnCmdMsg does by default.
    bool HandleOwnCommand(UINT id, int code, CCmdUI* ui);

private:
    struct Range {
        UINT last;
        std::function<void(UINT)> handler;
    };
    std::map<UINT, std::function<void()>> m_commands;
    std::map<UINT, Range> m_ranges; // by first id
    std::map<UINT, std::function<void(CCmdUI&)>> m_updates;
};
