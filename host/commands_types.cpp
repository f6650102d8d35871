// types list | types show NAME | types import FILE... [--keep-existing] | types delete NAME |
// types new NAME --batch FILE
//
// Each command opens the driver's data structure editor and works it as a user would, through a
// scripted user: it reads the structure tree and the member list off the screen, selects nodes,
// clicks buttons, picks menu items and answers the questions. The editor saves every change to the
// user data type file (DataType.xml beside the driver's folder) at once.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/commands.h"
#include "host/project/driver_text.h"
#include "host/project/full_path.h"
#include "host/project/output_format.h"
#include "host/input_file.h"
#include "platform/file_system.h"
#include "platform/path_names.h"
#include "platform/resources.h"
#include "platform/ui/message_box.h"
#include "host/user_input/screen_text.h"
#include "types/data_type_dialog_controls.h"
#include "types/data_type_texts.h"
#include "host/scripted_user/scripted_user.h"
#include "platform/ui/tree_ctrl.h"

namespace {

constexpr const char* kEditorExport = "VireoEditDataTypes";

std::string Utf8(const CString& text) { return text.ToUtf8(); }

struct SEditorTexts {
    CString deleteItem;
    CString userGroup;
    CString predefinedGroup;
    CString replaceQuestion;
};

SEditorTexts EditorTexts(const DriverLibrary& driver) {
    const HMODULE module = GetModuleHandleFromAddress(driver.Require<void*>(kEditorExport));
    return {DriverText(module, EditorTextNumber(kDeleteItem)), DriverText(module, EditorTextNumber(kUserGroup)),
            DriverText(module, EditorTextNumber(kPredefinedGroup)), DriverText(module, EditorTextNumber(kReplaceQuestion))};
}

/// A structure as the editor's tree shows it: its group (empty for one at the root) and its name.
struct SStructureNode {
    CString group;
    CString name;

    std::vector<CString> Path() const { return group.IsEmpty() ? std::vector<CString>{name} : std::vector<CString>{group, name}; }
};

std::vector<SStructureNode> ReadStructureTree(CWnd& editor, const SEditorTexts& texts) {
    const CTreeCtrl& tree = *static_cast<CTreeCtrl*>(editor.GetDlgItem(kStructureTree));
    std::vector<SStructureNode> nodes;
    for (HTREEITEM item = tree.GetChildItem(TVI_ROOT); item; item = tree.GetNextSiblingItem(item)) {
        const CString text = tree.GetItemText(item);
        if (!(text == texts.userGroup || text == texts.predefinedGroup)) {
            nodes.push_back({CString(), text});
            continue;
        }
        for (HTREEITEM child = tree.GetChildItem(item); child; child = tree.GetNextSiblingItem(child))
            nodes.push_back({text, tree.GetItemText(child)});
    }
    return nodes;
}

const SStructureNode* FindExactly(const std::vector<SStructureNode>& nodes, const CString& name) {
    for (const SStructureNode& node : nodes)
        if (node.name == name) return &node;
    return nullptr;
}

/// A structure by its name as the tree shows it; a user type's name carries double quotes there
/// ("MotorData"), so the name is also tried with them added or taken off.
const SStructureNode* FindStructure(const std::vector<SStructureNode>& nodes, const CString& name) {
    if (const SStructureNode* exact = FindExactly(nodes, name)) return exact;
    const bool quoted = name.GetLength() >= 2 && name[0] == u'"' && name[name.GetLength() - 1] == u'"';
    return FindExactly(nodes, quoted ? name.Mid(1, name.GetLength() - 2) : u"\"" + name + u"\"");
}

ListRowTexts ReadMemberRows(CWnd& editor) { return ListViewRows(editor.GetDlgItem(kMemberList)->m_hWnd); }

/// Runs the editor with the script; a script that cannot be played through is a refusal.
void RunEditor(const DriverLibrary& driver, ScriptedUser& user) {
    const auto edit = driver.Require<VireoEditDataTypesFn>(kEditorExport);
    CUiBackendScope backend(user);
    try {
        edit();
    } catch (const ScriptFailure& failure) {
        throw HostError(std::string("the data structure editor did not go as planned: ") + failure.what());
    }
}

/// The message boxes the user saw, but for the replacement questions.
std::vector<CString> ReportedMessages(const ScriptedUser& user, const SEditorTexts& texts) {
    std::vector<CString> messages;
    for (const CString& text : user.MessageBoxTexts())
        if (!(text == texts.replaceQuestion)) messages.push_back(text);
    return messages;
}

/// Refuses the command with what went wrong and what the editor said, when it said anything.
void RefuseWithMessages(const std::string& what, const std::vector<CString>& messages) {
    std::string report = what;
    if (!messages.empty()) report += "; the data structure editor said:";
    for (const CString& message : messages) report += "\n  " + Utf8(message);
    throw HostError(report);
}

/// A command that only reads refuses when the editor showed a message (DataType.xml unreadable).
void RefuseIfTheEditorSaidAnything(const std::string& what, const ScriptedUser& user, const SEditorTexts& texts) {
    const std::vector<CString> messages = ReportedMessages(user, texts);
    if (!messages.empty()) RefuseWithMessages(what, messages);
}

void PrintStructures(std::ostream& out, const std::vector<SStructureNode>& nodes) {
    TableWriter table(out, TableFormat::kTsv, {"Group", "Name"});
    for (const SStructureNode& node : nodes) table.WriteRow({TableCell::Text(Utf8(node.group)), TableCell::Text(Utf8(node.name))});
    table.Finish();
}

void PrintMembers(std::ostream& out, const ListRowTexts& rows) {
    TableWriter table(out, TableFormat::kTsv, {"Name", "Type", "Comment", "Access"});
    for (const std::vector<CString>& row : rows) {
        std::vector<TableCell> cells;
        for (size_t column = 0; column < 4; ++column) cells.push_back(TableCell::Text(column < row.size() ? Utf8(row[column]) : std::string()));
        table.WriteRow(cells);
    }
    table.Finish();
}

void ListStructures(HostContext& ctx) {
    const DriverLibrary& driver = ctx.Driver();
    const SEditorTexts texts = EditorTexts(driver);
    std::vector<SStructureNode> nodes;
    ScriptedUser user;
    user.AlwaysAnswer(CString(), IDOK);
    user.Inspect([&](CWnd& editor) { nodes = ReadStructureTree(editor, texts); }).Click(kLeaveButton);
    RunEditor(driver, user);
    RefuseIfTheEditorSaidAnything("the structures cannot all be listed", user, texts);
    PrintStructures(ctx.Out(), nodes);
}

void ShowStructure(HostContext& ctx, const std::string& name) {
    const DriverLibrary& driver = ctx.Driver();
    const SEditorTexts texts = EditorTexts(driver);
    const CString wanted = CString::FromUtf8(name);
    bool found = false;
    ListRowTexts rows;
    ScriptedUser user;
    user.AlwaysAnswer(CString(), IDOK);
    user.Inspect([&](CWnd& editor) {
        const std::vector<SStructureNode> nodes = ReadStructureTree(editor, texts);
        if (const SStructureNode* node = FindStructure(nodes, wanted)) {
            found = true;
            user.PickNode(kStructureTree, node->Path()).Inspect([&](CWnd& shown) { rows = ReadMemberRows(shown); });
        }
        user.Click(kLeaveButton);
    });
    RunEditor(driver, user);
    RefuseIfTheEditorSaidAnything("the structure " + name + " cannot be shown", user, texts);
    if (!found) throw HostError("there is no structure named " + name);
    PrintMembers(ctx.Out(), rows);
}

/// Full paths of existing files; HostError for a file that does not exist, is not a regular file
/// or is too large to be read whole.
std::vector<CString> ExistingFiles(const std::vector<std::string>& files) {
    std::vector<CString> paths;
    for (const std::string& file : files) {
        const std::string problem = InputFileProblem(file);
        if (!problem.empty()) throw HostError("cannot import " + problem);
        paths.push_back(FullPath(file));
    }
    return paths;
}


void ImportStructures(HostContext& ctx, const std::vector<std::string>& files, bool keepExisting) {
    const std::vector<CString> paths = ExistingFiles(files);
    const DriverLibrary& driver = ctx.Driver();
    const SEditorTexts texts = EditorTexts(driver);
    ScriptedUser user;
    user.AlwaysAnswer(texts.replaceQuestion, keepExisting ? IDCANCEL : IDOK).AlwaysAnswer(CString(), IDOK);
    // The file dialog takes files of one folder at a time: one import for each run of them.
    for (size_t first = 0; first < paths.size();) {
        size_t end = first + 1;
        while (end < paths.size() && FolderOf(paths[end]) == FolderOf(paths[first])) ++end;
        user.Click(kEditorImportButton).ChooseFiles(std::vector<CString>(paths.begin() + first, paths.begin() + end));
        first = end;
    }
    std::vector<SStructureNode> nodes;
    user.Inspect([&](CWnd& editor) { nodes = ReadStructureTree(editor, texts); }).Click(kLeaveButton);
    RunEditor(driver, user);
    const std::vector<CString> messages = ReportedMessages(user, texts);
    if (!messages.empty()) RefuseWithMessages("the import did not go through completely", messages);
    PrintStructures(ctx.Out(), nodes);
}

void DeleteStructure(HostContext& ctx, const std::string& name) {
    const DriverLibrary& driver = ctx.Driver();
    const SEditorTexts texts = EditorTexts(driver);
    const CString wanted = CString::FromUtf8(name);
    bool found = false;
    bool gone = false;
    ScriptedUser user;
    user.AlwaysAnswer(CString(), IDOK);
    user.Inspect([&](CWnd& editor) {
        const std::vector<SStructureNode> nodes = ReadStructureTree(editor, texts);
        if (const SStructureNode* node = FindStructure(nodes, wanted)) {
            found = true;
            user.PickNode(kStructureTree, node->Path()).ContextMenu(kStructureTree, texts.deleteItem).Inspect([&](CWnd& after) {
                gone = !FindStructure(ReadStructureTree(after, texts), wanted);
            });
        }
        user.Click(kLeaveButton);
    });
    RunEditor(driver, user);
    if (!found) throw HostError("there is no structure named " + name);
    if (!gone) RefuseWithMessages("the structure " + name + " was not deleted", ReportedMessages(user, texts));
    const std::vector<CString> messages = ReportedMessages(user, texts);
    if (!messages.empty()) RefuseWithMessages("the structure " + name + " was deleted with a warning", messages);
}

/// The member text of a file, with its lines ending in CR LF as the batch entry expects them.
CString ReadBatchText(const std::string& file) {
    const std::string problem = InputFileProblem(file);
    std::string bytes;
    if (!problem.empty() || !ReadWholeFile(CString::FromUtf8(file), bytes))
        throw HostError("cannot read " + (problem.empty() ? file : problem));
    std::string text;
    for (char ch : bytes) {
        if (ch == '\n' && (text.empty() || text.back() != '\r')) text += '\r';
        text += ch;
    }
    return CString::FromUtf8(text);
}

void NewStructure(HostContext& ctx, const std::string& name, const std::string& batchFile) {
    const CString batchText = ReadBatchText(batchFile);
    const DriverLibrary& driver = ctx.Driver();
    const SEditorTexts texts = EditorTexts(driver);
    ListRowTexts rows;
    ScriptedUser user;
    user.AlwaysAnswer(texts.replaceQuestion, IDCANCEL).AlwaysAnswer(CString(), IDOK);
    user.Click(kEditorNewButton).Type(kStructureNameEdit, CString::FromUtf8(name));
    user.Click(kBatchAddButton).Type(kBatchTextEdit, batchText).Click(IDOK);
    user.Click(kEditSaveButton).Inspect([&](CWnd& editor) { rows = ReadMemberRows(editor); }).Click(kLeaveButton);
    RunEditor(driver, user);
    std::vector<CString> messages = user.MessageBoxTexts();
    for (const CString& message : messages)
        if (message == texts.replaceQuestion) RefuseWithMessages("a structure named " + name + " exists already; it was left as it is", {});
    if (!messages.empty()) RefuseWithMessages("the structure " + name + " was not saved as given", messages);
    PrintMembers(ctx.Out(), rows);
}

struct STypesOptions {
    std::string name;
    std::vector<std::string> files;
    bool keepExisting = false;
    std::string batchFile;
};

}  // namespace

void AddTypesCommands(CLI::App& app, CommandAction& action) {
    auto options = std::make_shared<STypesOptions>();
    CLI::App* types = app.add_subcommand("types", "user data types, through the driver's data structure editor");
    types->require_subcommand(1);

    CLI::App* list = types->add_subcommand("list", "the structures of the editor's tree: group and name (TSV)");
    SetAction(list, action, ListStructures);

    CLI::App* show = types->add_subcommand("show", "the members of a structure as the editor lists them (TSV)");
    show->add_option("NAME", options->name, "structure name")->required();
    SetAction(show, action, [options](HostContext& ctx) { ShowStructure(ctx, options->name); });

    CLI::App* import = types->add_subcommand("import", "imports the structures of UDT and SCL sources; prints the structures then");
    import->add_option("FILE", options->files, "source files")->required();
    import->add_flag("--keep-existing", options->keepExisting, "answer Cancel when asked to replace an existing structure");
    SetAction(import, action, [options](HostContext& ctx) { ImportStructures(ctx, options->files, options->keepExisting); });

    CLI::App* remove = types->add_subcommand("delete", "deletes a structure");
    remove->add_option("NAME", options->name, "structure name")->required();
    SetAction(remove, action, [options](HostContext& ctx) { DeleteStructure(ctx, options->name); });

    CLI::App* create = types->add_subcommand("new", "a new structure with the members of a batch member text; prints them");
    create->add_option("NAME", options->name, "structure name")->required();
    create->add_option("--batch", options->batchFile, "batch member text file (tab-separated lines)")->required();
    SetAction(create, action, [options](HostContext& ctx) { NewStructure(ctx, options->name, options->batchFile); });
}
