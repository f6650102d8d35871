// Message boxes: a text, a caption, a set of buttons and an icon. The UI backend gives the user's
// answer (the button's command identifier).
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "platform/ui/win_types.h"

inline constexpr UINT MB_OK = 0x0000;
inline constexpr UINT MB_OKCANCEL = 0x0001;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x0002;
inline constexpr UINT MB_YESNOCANCEL = 0x0003;
inline constexpr UINT MB_YESNO = 0x0004;
inline constexpr UINT MB_RETRYCANCEL = 0x0005;
inline constexpr UINT MB_TYPEMASK = 0x000F;

inline constexpr UINT MB_ICONERROR = 0x0010;
inline constexpr UINT MB_ICONSTOP = MB_ICONERROR;
inline constexpr UINT MB_ICONHAND = MB_ICONERROR;
inline constexpr UINT MB_ICONQUESTION = 0x0020;
inline constexpr UINT MB_ICONWARNING = 0x0030;
inline constexpr UINT MB_ICONEXCLAMATION = MB_ICONWARNING;
inline constexpr UINT MB_ICONINFORMATION = 0x0040;
inline constexpr UINT MB_ICONASTERISK = MB_ICONINFORMATION;
inline constexpr UINT MB_ICONMASK = 0x00F0;

/// Shows a message box owned by the window; a null caption shows "Error" ("错误" in a Chinese user
/// interface), as the platform does.
int MessageBoxW(HWND owner, const CString& text, LPCTSTR caption, UINT type);
/// The framework's message box: the caption is the program's name (AfxGetAppName).
int AfxMessageBox(const CString& text, UINT type = MB_OK, UINT helpId = 0);

/// The program's name: the executable's file name without its extension, unless set.
CString AfxGetAppName();
void AfxSetAppName(const CString& name);

/// The answers a message box of this type offers (IDOK, IDCANCEL, ...), in button order.
std::vector<int> MessageBoxAnswers(UINT type);
/// The name of an answer ("OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No").
const char* AnswerName(int answer);
