#include "platform/ui/notification_lockout.h"

namespace {

HWND g_lockedOut = nullptr;

}  // namespace

NotificationLockout::NotificationLockout(HWND window) : previous_(g_lockedOut) { g_lockedOut = window; }
NotificationLockout::~NotificationLockout() { g_lockedOut = previous_; }

bool IsNotificationLockedOut(HWND window) { return window && window == g_lockedOut; }
