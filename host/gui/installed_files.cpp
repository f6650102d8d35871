#include "host/gui/installed_files.h"

#include "host/wx_backend/wx_text.h"
#include "platform/module.h"
#include "platform/path_names.h"

wxString InstalledFile(const wxString& relative) {
    const CString module = GetModuleFileNameW(GetModuleHandleFromAddress(reinterpret_cast<const void*>(&InstalledFile)));
    return ToWx(FolderOf(module)) + "/../" + relative;
}
