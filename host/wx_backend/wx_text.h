// Texts between the framework stand-in (UTF-16 CString) and wxWidgets (wxString).
#pragma once

#include <wx/string.h>

#include "platform/cstring.h"

inline wxString ToWx(const CString& text) { return wxString::FromUTF8(text.ToUtf8()); }

inline CString FromWx(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return CString::FromUtf8(std::string_view(utf8.data(), utf8.length()));
}

/// A multi-line edit holds CR LF line ends; the toolkit's text controls hold LF.
inline wxString EditTextToWx(const CString& text) {
    wxString shown = ToWx(text);
    shown.Replace("\r\n", "\n");
    return shown;
}

inline CString EditTextFromWx(const wxString& shown, bool multiLine) {
    if (!multiLine) return FromWx(shown);
    wxString text = shown;
    text.Replace("\r\n", "\n");
    text.Replace("\n", "\r\n");
    return FromWx(text);
}

/// A caret position in a CR LF text as the position in the same text with LF line ends, and back.
inline long PositionToWx(const CString& text, int position) {
    long shown = 0;
    for (int i = 0; i < position && i < text.GetLength(); ++i)
        if (!(text[i] == u'\r' && i + 1 < text.GetLength() && text[i + 1] == u'\n')) ++shown;
    return shown;
}

inline int PositionFromWx(const CString& text, long shown) {
    int i = 0;
    for (long seen = 0; i < text.GetLength() && seen < shown; ++i)
        if (!(text[i] == u'\r' && i + 1 < text.GetLength() && text[i + 1] == u'\n')) ++seen;
    return i;
}
