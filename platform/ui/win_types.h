// The framework's basic types and the constants every window shares: the integer types of the
// message interface, command identifiers, message box buttons and key codes.
#pragma once

#include <cstdint>

using BOOL = int;
using UINT = unsigned int;
using WORD = uint16_t;
using DWORD = uint32_t;
using LONG = int32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using INT_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using DWORD_PTR = uintptr_t;
using LPCTSTR = const char16_t*;

#ifndef TRUE
inline constexpr BOOL TRUE = 1;
#endif
#ifndef FALSE
inline constexpr BOOL FALSE = 0;
#endif

/// A window: an opaque handle that stays invalid once the window is destroyed (handles are never
/// reused), so a message posted to a window that is gone is simply dropped.
struct HWND__;
using HWND = HWND__*;

/// An iteration position of the framework's lists (one past the index it stands for; null ends).
struct POSITION__;
using POSITION = POSITION__*;

// Command identifiers of the standard buttons, and the answers of message boxes.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDC_STATIC = -1;

// Virtual key codes the dialogs react to.
inline constexpr UINT VK_TAB = 0x09;
inline constexpr UINT VK_RETURN = 0x0D;
inline constexpr UINT VK_ESCAPE = 0x1B;

// Mouse key flags of mouse messages.
inline constexpr UINT MK_LBUTTON = 0x0001;
inline constexpr UINT MK_RBUTTON = 0x0002;
inline constexpr UINT MK_CONTROL = 0x0008;

constexpr WORD LOWORD(uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(unsigned low, unsigned high) { return static_cast<WPARAM>((low & 0xFFFF) | ((high & 0xFFFF) << 16)); }
constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>(static_cast<uint32_t>((static_cast<uint32_t>(low) & 0xFFFF) | ((static_cast<uint32_t>(high) & 0xFFFF) << 16)));
}
/// The signed coordinates packed into a mouse message's lParam.
constexpr int GET_X_LPARAM(LPARAM value) { return static_cast<int16_t>(value & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM value) { return static_cast<int16_t>((value >> 16) & 0xFFFF); }

inline POSITION PositionFromIndex(int index) { return reinterpret_cast<POSITION>(static_cast<uintptr_t>(index) + 1); }
inline int IndexFromPosition(POSITION position) { return static_cast<int>(reinterpret_cast<uintptr_t>(position)) - 1; }
