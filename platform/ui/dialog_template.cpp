#include "platform/ui/dialog_template.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/list_box.h"
#include "platform/ui/list_ctrl.h"
#include "platform/ui/tree_ctrl.h"

namespace {

struct SToken {
    std::string text;
    bool quoted = false;
};

struct SKindDef {
    const char* word;
    ControlKind kind;
    DWORD style;
    bool tabStop;
};

const SKindDef kKinds[] = {
    {"PUSHBUTTON", ControlKind::kButton, BS_PUSHBUTTON, true},
    {"DEFPUSHBUTTON", ControlKind::kButton, BS_DEFPUSHBUTTON, true},
    {"CHECKBOX", ControlKind::kButton, BS_AUTOCHECKBOX, true},
    {"RADIOBUTTON", ControlKind::kButton, BS_AUTORADIOBUTTON, false},
    {"GROUPBOX", ControlKind::kButton, BS_GROUPBOX, false},
    {"STATIC", ControlKind::kStatic, 0, false},
    {"EDIT", ControlKind::kEdit, 0, true},
    {"LISTVIEW", ControlKind::kListView, LVS_REPORT, true},
    {"TREEVIEW", ControlKind::kTreeView, 0, true},
    {"LISTBOX", ControlKind::kListBox, 0, true},
    {"COMBOBOX", ControlKind::kComboBox, CBS_DROPDOWN, true},
};

struct SStyleWord {
    const char* word;
    DWORD bits;
};

const SStyleWord kCommonStyles[] = {
    {"GROUP", WS_GROUP}, {"TABSTOP", WS_TABSTOP}, {"BORDER", WS_BORDER}, {"VSCROLL", WS_VSCROLL}, {"HSCROLL", WS_HSCROLL},
    {"DISABLED", WS_DISABLED},
};
const SStyleWord kEditStyles[] = {
    {"MULTILINE", ES_MULTILINE}, {"WANTRETURN", ES_WANTRETURN}, {"READONLY", ES_READONLY},
    {"AUTOHSCROLL", ES_AUTOHSCROLL}, {"AUTOVSCROLL", ES_AUTOVSCROLL},
};
const SStyleWord kListViewStyles[] = {
    {"SINGLESEL", LVS_SINGLESEL}, {"SHOWSELALWAYS", LVS_SHOWSELALWAYS}, {"EDITLABELS", LVS_EDITLABELS}, {"NOSORTHEADER", LVS_NOSORTHEADER},
};
const SStyleWord kTreeViewStyles[] = {
    {"HASBUTTONS", TVS_HASBUTTONS}, {"HASLINES", TVS_HASLINES}, {"LINESATROOT", TVS_LINESATROOT},
    {"SHOWSELALWAYS", TVS_SHOWSELALWAYS}, {"EDITLABELS", TVS_EDITLABELS},
};
const SStyleWord kListBoxStyles[] = {{"SORT", LBS_SORT}, {"NOTIFY", LBS_NOTIFY}};
const SStyleWord kComboBoxStyles[] = {{"AUTOHSCROLL", CBS_AUTOHSCROLL}};

[[noreturn]] void Fail(int line, const std::string& message) {
    throw CDialogTemplateError("line " + std::to_string(line) + ": " + message);
}

std::vector<SToken> Tokenize(std::string_view line, int lineNumber) {
    std::vector<SToken> tokens;
    size_t i = 0;
    while (i < line.size()) {
        char ch = line[i];
        if (ch == ' ' || ch == '\t' || ch == ',') {
            ++i;
            continue;
        }
        SToken token;
        if (ch != '"') {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != ',' && line[i] != '"') token.text += line[i++];
            tokens.push_back(token);
            continue;
        }
        token.quoted = true;
        for (++i;; ++i) {
            if (i >= line.size()) Fail(lineNumber, "a quoted text is not closed");
            if (line[i] == '"') break;
            if (line[i] != '\\') {
                token.text += line[i];
                continue;
            }
            if (++i >= line.size()) Fail(lineNumber, "a backslash ends the line");
            switch (line[i]) {
                case '"': token.text += '"'; break;
                case '\\': token.text += '\\'; break;
                case 't': token.text += '\t'; break;
                case 'n': token.text += '\n'; break;
                case 'r': token.text += '\r'; break;
                default: Fail(lineNumber, std::string("unknown escape \\") + line[i]);
            }
        }
        ++i;
        tokens.push_back(token);
    }
    return tokens;
}

int Number(const SToken& token, int line, const char* what) {
    int value = 0;
    const char* first = token.text.data();
    const char* last = first + token.text.size();
    auto [end, error] = std::from_chars(first, last, value);
    if (token.quoted || error != std::errc() || end != last) Fail(line, std::string("expected a number for ") + what + ", got \"" + token.text + "\"");
    return value;
}

template <size_t N>
bool FindStyle(const SStyleWord (&words)[N], const std::string& word, DWORD& bits) {
    for (const SStyleWord& entry : words)
        if (word == entry.word) {
            bits = entry.bits;
            return true;
        }
    return false;
}

bool KindStyle(ControlKind kind, const std::string& word, DWORD& bits) {
    switch (kind) {
        case ControlKind::kEdit: return FindStyle(kEditStyles, word, bits);
        case ControlKind::kListView: return FindStyle(kListViewStyles, word, bits);
        case ControlKind::kTreeView: return FindStyle(kTreeViewStyles, word, bits);
        case ControlKind::kListBox: return FindStyle(kListBoxStyles, word, bits);
        case ControlKind::kComboBox: return FindStyle(kComboBoxStyles, word, bits);
        default: return false;
    }
}

SDialogControl ParseControl(const SKindDef& kind, const std::vector<SToken>& tokens, int line) {
    if (tokens.size() < 7) Fail(line, "expected KIND ID \"TEXT\" X Y CX CY [STYLE ...]");
    if (!tokens[2].quoted) Fail(line, "the control's text must be quoted");
    SDialogControl control;
    control.kind = kind.kind;
    control.id = Number(tokens[1], line, "the identifier");
    control.text = CString::FromUtf8(tokens[2].text);
    control.x = Number(tokens[3], line, "x");
    control.y = Number(tokens[4], line, "y");
    control.cx = Number(tokens[5], line, "the width");
    control.cy = Number(tokens[6], line, "the height");
    DWORD style = WS_CHILD | WS_VISIBLE | kind.style;
    bool tabStop = kind.tabStop;
    for (size_t i = 7; i < tokens.size(); ++i) {
        const std::string& word = tokens[i].text;
        DWORD bits = 0;
        if (word == "HIDDEN") style &= ~WS_VISIBLE;
        else if (word == "NOTABSTOP") tabStop = false;
        else if (word == "DROPDOWNLIST" && kind.kind == ControlKind::kComboBox) style = (style & ~0x3u) | CBS_DROPDOWNLIST;
        else if (FindStyle(kCommonStyles, word, bits) || KindStyle(kind.kind, word, bits)) {
            style |= bits;
            if (bits == WS_TABSTOP) tabStop = true;
        } else Fail(line, "unknown style word " + word + " for " + kind.word);
    }
    if (kind.style == BS_AUTORADIOBUTTON && kind.kind == ControlKind::kButton && (style & WS_GROUP)) tabStop = true;
    if (tabStop) style |= WS_TABSTOP;
    else style &= ~WS_TABSTOP;
    control.style = style;
    return control;
}

const SKindDef* FindKind(const std::string& word) {
    for (const SKindDef& kind : kKinds)
        if (word == kind.word) return &kind;
    return nullptr;
}

}  // namespace

SDialogTemplate ParseDialogTemplate(std::string_view text) {
    SDialogTemplate result;
    bool sized = false;
    int lineNumber = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        size_t first = line.find_first_not_of(" \t,");
        if (first == std::string_view::npos || line[first] == '#') continue;
        std::vector<SToken> tokens = Tokenize(line, lineNumber);
        const std::string& keyword = tokens[0].text;
        if (keyword == "CAPTION") {
            if (tokens.size() != 2 || !tokens[1].quoted) Fail(lineNumber, "expected CAPTION \"TEXT\"");
            result.caption = CString::FromUtf8(tokens[1].text);
        } else if (keyword == "FONT") {
            if (tokens.size() < 3) Fail(lineNumber, "expected FONT SIZE, FACE");
            result.fontPoints = Number(tokens[1], lineNumber, "the font size");
            std::string face = tokens[2].text;
            for (size_t i = 3; i < tokens.size(); ++i) face += " " + tokens[i].text;  // an unquoted face with spaces
            result.fontFace = CString::FromUtf8(face);
        } else if (keyword == "SIZE") {
            if (tokens.size() != 3) Fail(lineNumber, "expected SIZE CX CY");
            result.cx = Number(tokens[1], lineNumber, "the width");
            result.cy = Number(tokens[2], lineNumber, "the height");
            sized = true;
        } else if (const SKindDef* kind = FindKind(keyword)) {
            result.controls.push_back(ParseControl(*kind, tokens, lineNumber));
        } else {
            Fail(lineNumber, "unknown statement " + keyword);
        }
    }
    if (!sized) Fail(lineNumber, "the template has no SIZE");
    return result;
}
