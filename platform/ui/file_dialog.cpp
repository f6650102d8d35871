#include "platform/ui/file_dialog.h"

#include <algorithm>

#include "platform/module.h"
#include "platform/ui/ui_backend.h"
#include "platform/ui/wnd.h"

namespace {

DWORD g_lastError = 0;

std::vector<SFileFilter> FiltersFrom(std::u16string_view pairs) {
    std::vector<SFileFilter> filters;
    std::vector<std::u16string_view> parts;
    size_t start = 0;
    while (start < pairs.size()) {
        size_t end = pairs.find(u'\0', start);
        if (end == std::u16string_view::npos) end = pairs.size();
        parts.push_back(pairs.substr(start, end - start));
        start = end + 1;
    }
    for (size_t i = 0; i + 1 < parts.size(); i += 2) filters.push_back({CString(parts[i]), CString(parts[i + 1])});
    return filters;
}

CString FullPath(const CString& path) {
    if (path.GetLength() > 0 && path[0] == u'/') return path;
    return GetCurrentDirectoryW() + u'/' + path;
}

/// The buffer text the platform writes for the chosen files (without the final zero).
std::u16string SelectionText(const std::vector<CString>& paths, bool multiple) {
    if (!multiple) return paths[0].str();
    if (paths.size() == 1) return paths[0].str() + u'\0';
    const CString& first = paths[0];
    std::u16string text = first.Left(std::max(first.ReverseFind(u'/'), 1)).str() + u'\0';
    for (const CString& path : paths) text += path.Mid(path.ReverseFind(u'/') + 1).str() + u'\0';
    return text;
}

}  // namespace

DWORD CommDlgExtendedError() { return g_lastError; }

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName, DWORD flags, LPCTSTR filter, CWnd* parent)
    : open_(openFileDialog) {
    if (defaultExtension) defaultExtension_ = defaultExtension;
    if (filter) {
        filter_ = filter;
        std::replace(filter_.begin(), filter_.end(), u'|', u'\0');
    }
    if (fileName) std::u16string_view(fileName).substr(0, kMaxPath - 1).copy(fileBuffer_, kMaxPath - 1);
    m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_ofn.lpstrFilter = filter ? filter_.c_str() : nullptr;
    m_ofn.lpstrFile = fileBuffer_;
    m_ofn.nMaxFile = kMaxPath;
    m_ofn.Flags = flags | OFN_EXPLORER;
    m_ofn.lpstrDefExt = defaultExtension ? defaultExtension_.GetString() : nullptr;
}

INT_PTR CFileDialog::DoModal() {
    g_lastError = 0;
    SFileDialogRequest request;
    request.owner = m_ofn.hwndOwner;
    request.open = open_;
    request.multiple = m_ofn.Flags & OFN_ALLOWMULTISELECT;
    request.mustExist = m_ofn.Flags & OFN_FILEMUSTEXIST;
    if (m_ofn.lpstrTitle) request.title = m_ofn.lpstrTitle;
    if (m_ofn.lpstrFilter) request.filters = FiltersFrom(filter_);
    if (m_ofn.lpstrDefExt) request.defaultExtension = m_ofn.lpstrDefExt;
    if (m_ofn.lpstrFile) request.fileName = m_ofn.lpstrFile;
    std::vector<CString> paths;
    if (!GetUiBackend().ChooseFiles(request, paths) || paths.empty()) return IDCANCEL;
    for (CString& path : paths) path = FullPath(path);
    std::u16string text = SelectionText(paths, request.multiple);
    if (!m_ofn.lpstrFile || text.size() + 1 > m_ofn.nMaxFile) {
        g_lastError = FNERR_BUFFERTOOSMALL;
        return IDCANCEL;
    }
    std::copy(text.begin(), text.end(), m_ofn.lpstrFile);
    m_ofn.lpstrFile[text.size()] = u'\0';
    return IDOK;
}

CString CFileDialog::GetPathName() const { return m_ofn.lpstrFile ? CString(m_ofn.lpstrFile) : CString(); }

POSITION CFileDialog::GetStartPosition() const {
    return m_ofn.lpstrFile && m_ofn.lpstrFile[0] ? PositionFromIndex(0) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
    const char16_t* buffer = m_ofn.lpstrFile;
    size_t at = static_cast<size_t>(IndexFromPosition(pos));
    std::u16string_view first(buffer);
    // One file: the buffer holds its full path alone.
    if (at == 0 && ((m_ofn.Flags & OFN_ALLOWMULTISELECT) == 0 || buffer[first.size() + 1] == u'\0')) {
        pos = nullptr;
        return CString(first);
    }
    if (at == 0) at = first.size() + 1;
    std::u16string_view name(buffer + at);
    size_t next = at + name.size() + 1;
    pos = buffer[next] == u'\0' ? nullptr : PositionFromIndex(static_cast<int>(next));
    CString folder(first);
    return folder.Right(1) == CString(u"/") ? folder + CString(name) : folder + u'/' + CString(name);
}
