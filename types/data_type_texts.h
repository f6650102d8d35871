// The replaceable texts of the data structure editor and its member dialog: headings, menu items,
// group names, button text and messages, by their entry in the editor's text table.
#pragma once

#include "core/text_tables.h"

enum DataTypeEditorText {
    kNameHeading,          ///< "名称"
    kTypeHeading,          ///< "数据类型"
    kMarkHeading,          ///< "描述"
    kAccessHeading,        ///< "读写标志"
    kImportItem,           ///< "导入"
    kNewItem,              ///< "新增"
    kEditItem,             ///< "编辑": menu item, and button 5 while browsing
    kDeleteItem,           ///< "删除"
    kRefreshItem,          ///< "刷新"
    kUserGroup,            ///< "用户定义"
    kPredefinedGroup,      ///< "预定义"
    kSaveItem,             ///< "保存": button 5 while editing
    kNoMemberName,         ///< "请输入变量名称。"
    kNoValidType,          ///< "请选择正确的数据类型。"
    kElementaryGroup,      ///< "基础类型"
    kNoStructName,         ///< "请输入数据结构的名称。"
    kNoMembers,            ///< "请至少添加一个数据成员。"
    kSelfMemberAdded,      ///< "数据结构成员不能添加数据结构自己。" (adding a member)
    kReplaceQuestion,      ///< "结构体存在,是否要修改？"
    kSelfMemberEdited,     ///< the same text again (changing a member)
    kBadArrayRange,        ///< "输入数组范围错误"
    kFileNotWritten,       ///< DataType.xml could not be written; the change holds for this run only
    kFileUnreadable,       ///< DataType.xml cannot be read: its structures are missing, the file is kept
    kFileReadOnly,         ///< DataType.xml is read-only; the change holds for this run only
};

inline const CString& EditorText(DataTypeEditorText entry) { return Text(kDataTypeEditorTexts, entry); }

/// The string number of an editor text, by which a host finds it in the driver's strings.
constexpr uint32_t EditorTextNumber(DataTypeEditorText entry) { return static_cast<uint32_t>(kDataTypeEditorFirstText + entry); }
