// While UpdateData moves values between a dialog's fields and its controls, the change
// notifications the controls send are not the user's doing: the dialog's handlers must not see them.
#pragma once

#include "platform/ui/win_types.h"

/// Locks out the window's control notifications for its lifetime, restoring the previous lock.
class NotificationLockout {
public:
    explicit NotificationLockout(HWND window);
    ~NotificationLockout();
    NotificationLockout(const NotificationLockout&) = delete;
    NotificationLockout& operator=(const NotificationLockout&) = delete;

private:
    HWND previous_;
};

/// True while a NotificationLockout holds the window: notifications from its controls are ignored.
bool IsNotificationLockedOut(HWND window);
