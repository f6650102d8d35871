// Modules (the host program, the driver, the language library) as the framework names them.
#pragma once

#include "platform/cstring.h"

/// A module handle: the address at which the module is loaded, as on the original platform. The
/// host program's own handle is its base address too.
using HMODULE = const void*;

/// The handle of the loaded module that holds the given address, or null when none does.
HMODULE GetModuleHandleFromAddress(const void* address);
/// The host program's own handle.
HMODULE GetProgramModuleHandle();
/// The full path of the module's file; null names the host program. Empty when unknown.
CString GetModuleFileNameW(HMODULE module);
/// The program's name: the executable's file name without its extension (the caption of the
/// framework's message boxes).
CString AfxGetAppName();

/// Loads a module by file name (a relative name is looked up from the current directory). A name
/// ending in ".dll" is looked up as ".so", the shared-object form of the same module. Returns null
/// when the module cannot be loaded.
HMODULE LoadLibraryW(const CString& fileName);
/// Releases a module loaded with LoadLibraryW. False for a handle it did not give.
bool FreeLibrary(HMODULE module);

/// The process's current directory, and changing it (false when the folder cannot be entered).
CString GetCurrentDirectoryW();
bool SetCurrentDirectoryW(const CString& path);
