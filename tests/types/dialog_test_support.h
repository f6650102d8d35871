// What the data type dialog tests share: the editor run by a scripted user on a type library of the
// test's own DataType.xml, and the editor's screen read as a user reads it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "types/data_type_dialog_controls.h"
#include "dialog_screen_text.h"
#include "platform/ui/dialog.h"
#include "host/user_input/screen_text.h"
#include "host/scripted_user/scripted_user.h"
#include "platform/ui_language.h"
#include "types_test_support.h"

inline const CString kUserGroup = u"用户定义";
inline const CString kPredefinedGroup = u"预定义";
inline const CString kElementaryGroup = u"基础类型";
inline const CString kReplaceQuestion = u"结构体存在,是否要修改？";

/// Each test works on its own DataType.xml, through a type library reference that the test holds,
/// so that the dialogs' own references find that library.
class EditorTest : public TypeLibraryTest {
protected:
    /// The dialogs run in a Chinese user interface, whose texts the tests expect.
    EditorTest() {
        SetThreadUILanguageOverride(kLangChineseSimplified);
        library.emplace(dataTypeFile);
    }
    ~EditorTest() override { SetThreadUILanguageOverride(0); }

    /// Runs the editor with the script to its end; the end code.
    INT_PTR RunEditor();
    /// Gives the library up and loads it again from the file, as the next use of the driver does.
    void Reload();
    StructMap UserStructs() const { return library->UserStructs(); }
    Fileparstest& Library() const { return *library->get(); }

    ScriptedUser user;
    std::optional<TypeLibraryRef> library;
};

/// Every structure of the editor's tree as "group/name" (or "name" at the root), in tree order.
std::vector<std::string> StructurePaths(CWnd& editor);
/// The text of the tree's selected item ("" when none).
std::string SelectedNode(CWnd& dialog, int tree);
bool IsReadOnly(CWnd& dialog, int edit);
bool IsEnabled(CWnd& dialog, int control);

/// Opens the member dialog with "新增", names the member, picks its type in the tree and confirms.
void AddMemberByDialog(ScriptedUser& user, const CString& name, const CString& elementaryType);
/// Opens the batch entry dialog, pastes the text and confirms.
void AddMembersByBatch(ScriptedUser& user, const CString& text);
