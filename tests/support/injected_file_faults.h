// Faults of the file system that a test makes the next file operations meet, through the faults
// the file layer asks (SetFileFaults).
#pragma once

#include <string>

#include "platform/file_system.h"

/// Makes the next `times` operations of the fault's kind on a path that contains pathPart (any
/// path when empty) fail as that fault would; kNone clears it.
void InjectFileFault(FileFault fault, std::string pathPart = {}, int times = 1);

/// How many injected faults file operations have met since the process started.
int InjectedFileFaultsMet();
