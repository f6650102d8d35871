// --block FILE=DBn, shared by import and layout: the block name a data block file is given
// instead of the one its file name gives, as a user corrects it in the dialog's list.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/cstring.h"

/// Every data block file by its full path, in the order the dialog lists them (by path), with the
/// block name to give it (empty: none given). A correction that is not FILE=DBn or names no file
/// of dbFiles is a usage error (CLI::ValidationError of --block).
std::map<CString, CString> BlockNameCorrections(const std::vector<std::string>& dbFiles,
                                                const std::vector<std::string>& corrections);
