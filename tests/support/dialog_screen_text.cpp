#include "dialog_screen_text.h"

#include "host/user_input/screen_text.h"

std::string Utf8(const CString& text) { return text.ToUtf8(); }

std::vector<std::string> RowLines(CWnd& dialog, int list) {
    std::vector<std::string> lines;
    for (const std::vector<CString>& row : ListViewRows(dialog.GetDlgItem(list)->m_hWnd)) {
        std::string line;
        for (size_t i = 0; i < row.size(); ++i) line += (i ? " | " : "") + Utf8(row[i]);
        lines.push_back(line);
    }
    return lines;
}

std::string TextOf(CWnd& dialog, int control) {
    CString text;
    dialog.GetDlgItemText(control, text);
    return Utf8(text);
}
