#pragma once
// Objects that receive commands through their message maps.
#include "MessageMap.h"
#include "Object.h"

class CCmdTarget : public CObject {
    DECLARE_RUNTIME_CLASS(CCmdTarget)
public:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

    // Runs the handler of WM_COMMAND (id, code) if the maps have one; true when handled.
    virtual bool OnCommand(UINT id, UINT code);
    // Runs the check-mark handler of ui->m_nID; true when there is one.
    bool OnUpdateCmdUI(CCmdUI* ui);
    // Whether any map of this object handles the command id.
    bool HasCommandHandler(UINT id) const;

protected:
    // The first entry of the map chain that serves (kind, message, id, code), or null.
    const MessageEntry* FindEntry(MsgKind kind, UINT message, UINT id, UINT code) const;
};
