#include "platform/ui/message_map.h"

namespace {

bool Matches(const MessageMapEntry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
    if (entry.message != message) return false;
    if (message == WM_COMMAND)
        return HIWORD(wParam) == entry.code && LOWORD(wParam) == static_cast<WORD>(entry.id);
    if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        return header && header->code == entry.code && static_cast<WORD>(header->idFrom) == static_cast<WORD>(entry.id);
    }
    return true;
}

}  // namespace

const MessageMapEntry* FindMessageMapEntry(const CMessageMap* map, UINT message, WPARAM wParam, LPARAM lParam) {
    for (; map; map = map->base)
        for (const MessageMapEntry& entry : map->entries)
            if (Matches(entry, message, wParam, lParam)) return &entry;
    return nullptr;
}
