// The data block file list of the tag import dialog: one row per chosen data block source file,
// sorted by full path, in four columns (block name, file name, block title, path). The block name
// of a row can be corrected in place: a double-click on it opens an edit over the cell, and the
// edit's text becomes the block name when the edit loses the focus.
#pragma once

#include <vector>

#include "import/edit_list_ctrl.h"
#include "import/tag_import_controls.h"
#include "platform/ui/list_ctrl.h"
#include "types/db_file_info.h"

/// The column of each field of a data block file record.
enum DbFileListColumn { kBlockNameColumn = 0, kFileNameColumn = 1, kBlockTitleColumn = 2, kPathColumn = 3 };


class CEditEnableListCtrl : public CListCtrl {
public:
    CEditEnableListCtrl() = default;
    ~CEditEnableListCtrl() override = default;

    /// Four centred columns, each a quarter of the client width, with their headings; grid lines,
    /// full-row select and flat scroll bars.
    void SetUpColumns();
    /// Adds the records of the files in the given order; a path already listed keeps its record.
    /// Returns 1, or kBlockInfoUnreadable at the first path without a folder or whose title cannot
    /// be read (the files before it stay added), with that path in failedPath when one is given.
    /// The caller redraws.
    int AddFiles(const std::vector<CString>& paths, CString* failedPath = nullptr);
    /// Erases the records of the paths, then redraws.
    void RemoveFiles(const std::vector<CString>& paths);
    /// Replaces target with a copy of the records; returns 1.
    int CopyOut(DbFileMap& target) const;
    /// Rebuilds the rows from the records, in path order.
    void Redraw();

    const DbFileMap& Files() const { return files_; }

protected:
    void OnLButtonDblClk(UINT flags, CPoint point);
    LRESULT OnEndCellEdit(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void BeginCellEdit(const CRect& cell);
    void CommitCellEdit();

    DbFileMap files_;
    CEditListCtrl edit_;
    int editRow_ = 0;
    int editColumn_ = 0;
    CString oldText_;
    CString newText_;
};
