#include "CmdTarget.h"

IMPLEMENT_RUNTIME_CLASS(CCmdTarget, CObject)

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static constexpr MessageEntry entries[] = {{MsgKind::End, 0, 0, 0, nullptr, nullptr}};
    static constexpr MessageMap map{nullptr, entries};
    return &map;
}

const MessageMap* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {
bool Matches(const MessageEntry& e, MsgKind kind, UINT message, UINT id, UINT code)
{
    switch (kind) {
    case MsgKind::Message:
        return (e.kind == MsgKind::Message && e.message == message) ||
               (e.kind == MsgKind::Registered && e.registered && *e.registered != 0 && *e.registered == message);
    case MsgKind::CtlColor:
        return e.kind == MsgKind::CtlColor;
    case MsgKind::Command:
        // A plain command entry serves menu items, accelerators and button clicks (BN_CLICKED
        // is code 0); a notification entry serves its own code only.
        if (e.kind == MsgKind::Command) return e.idFirst == id && code <= 1;
        if (e.kind == MsgKind::CommandRange) return e.idFirst <= id && id <= e.idLast && code <= 1;
        if (e.kind == MsgKind::Notify) return e.idFirst == id && e.message == code;
        return false;
    case MsgKind::UpdateUI:
        return e.kind == MsgKind::UpdateUI && e.idFirst == id;
    default:
        return false;
    }
}
} // namespace

const MessageEntry* CCmdTarget::FindEntry(MsgKind kind, UINT message, UINT id, UINT code) const
{
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr)
        for (const MessageEntry* e = map->entries; e->kind != MsgKind::End; ++e)
            if (Matches(*e, kind, message, id, code)) return e;
    return nullptr;
}

bool CCmdTarget::OnCommand(UINT id, UINT code)
{
    const MessageEntry* e = FindEntry(MsgKind::Command, 0, id, code);
    if (!e) return false;
    e->thunk(this, 0, 0, id);
    return true;
}

bool CCmdTarget::OnUpdateCmdUI(CCmdUI* ui)
{
    const MessageEntry* e = FindEntry(MsgKind::UpdateUI, 0, ui->m_nID, 0);
    if (!e) return false;
    e->thunk(this, 0, reinterpret_cast<LPARAM>(ui), ui->m_nID);
    return true;
}

bool CCmdTarget::HasCommandHandler(UINT id) const { return FindEntry(MsgKind::Command, 0, id, 0) != nullptr; }
