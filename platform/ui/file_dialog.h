// The open-file dialog. The UI backend chooses the files; the dialog writes them into the caller's
// file-name buffer (m_ofn.lpstrFile, m_ofn.nMaxFile characters) the way the platform does: one
// chosen file as its full path; several (with OFN_ALLOWMULTISELECT) as the folder, then each file
// name, each followed by a zero character, and a final zero. When that does not fit in the buffer
// the dialog fails as cancelled, and CommDlgExtendedError reports FNERR_BUFFERTOOSMALL. Paths use
// the platform's separator "/"; a path chosen without a folder is taken from the current directory.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "platform/ui/win_types.h"

class CWnd;

inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr DWORD OFN_EXPLORER = 0x00080000;

inline constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;
inline constexpr int kMaxPath = 260;

struct OPENFILENAME {
    HWND hwndOwner = nullptr;
    LPCTSTR lpstrFilter = nullptr;  ///< pairs of name and pattern, each ending with a zero character
    char16_t* lpstrFile = nullptr;  ///< the file-name buffer: in, the start name; out, the chosen files
    DWORD nMaxFile = 0;             ///< its size in characters
    LPCTSTR lpstrTitle = nullptr;
    DWORD Flags = 0;
    LPCTSTR lpstrDefExt = nullptr;
};

/// The error of the last file dialog that failed (FNERR_BUFFERTOOSMALL), or 0.
DWORD CommDlgExtendedError();

class CFileDialog {
public:
    /// filter: "name|pattern|name|pattern|...", as the framework writes it. The default buffer holds
    /// kMaxPath characters; a caller may point m_ofn.lpstrFile and m_ofn.nMaxFile at its own.
    explicit CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr, LPCTSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr, CWnd* parent = nullptr);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    /// IDOK when files were chosen and fit in the buffer, else IDCANCEL.
    virtual INT_PTR DoModal();
    /// The chosen file's full path (with several files: their folder).
    CString GetPathName() const;
    POSITION GetStartPosition() const;
    /// The full path of the file at pos, moving pos on to the next one (null after the last).
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAME m_ofn;

private:
    bool open_;
    CString defaultExtension_;
    std::u16string filter_;  ///< the filter with "|" turned into zero characters
    char16_t fileBuffer_[kMaxPath] = {};
};
