#include "platform/ui/command_watch.h"

#include <utility>

namespace {

CommandWatch& Current() {
    static CommandWatch current;
    return current;
}

}  // namespace

CCommandWatchScope::CCommandWatchScope(CommandWatch watch) : previous_(std::exchange(Current(), std::move(watch))) {}

CCommandWatchScope::~CCommandWatchScope() { Current() = std::move(previous_); }

void NotifyCommandWatch(CWnd& window, UINT id, UINT code) {
    if (Current()) Current()(window, id, code);
}
