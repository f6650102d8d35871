// The tag import dialog's template and controls as its resource script numbers them: one list for
// the dialog and for what works it from outside (the command-line host's scripted user, the tests).
#pragma once

#include "platform/ui/win_types.h"

inline constexpr UINT kTagImportTemplate = 113;

inline constexpr int kImportDataTypesButton = 1014;
inline constexpr int kBrowseBlockFilesButton = 1015;
inline constexpr int kEditDataTypesButton = 1017;
inline constexpr int kStatusList = 1018;
inline constexpr int kBrowseTagFileButton = 1019;
inline constexpr int kBlockList = 1021;
inline constexpr int kRemoveBlockFilesButton = 1022;
inline constexpr int kVersionV15Radio = 1025;
inline constexpr int kVersionV13Radio = 1026;
inline constexpr int kNameByFileRadio = 1027;
inline constexpr int kNameByTitleRadio = 1028;
inline constexpr int kPreviewText = 1029;
inline constexpr int kTagFileEdit = 1030;
inline constexpr int kTagImportButton = 1031;
/// The block list's in-place edit of a block name, made by the list when a name is double-clicked.
inline constexpr UINT kCellEditId = 2002;
