#include "platform/ui/shell_open.h"

#include "platform/ui/ui_backend.h"

HINSTANCE ShellExecuteW(HWND owner, LPCTSTR verb, LPCTSTR file, LPCTSTR parameters, LPCTSTR directory, int) {
    SShellRequest request;
    request.owner = owner;
    request.verb = verb ? CString(verb) : CString(u"open");
    request.file = file ? CString(file) : CString();
    if (parameters) request.parameters = parameters;
    if (directory) request.directory = directory;
    bool done = GetUiBackend().ShellOpen(request);
    return reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(done ? 42 : SE_ERR_FNF));
}
