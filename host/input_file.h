// Files named on the command line that a command reads whole.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <string>

#include "platform/file_system.h"

/// Why the file cannot be read whole, naming it: empty when it is a regular file of at most
/// maxBytes; else "FILE: not a regular file", "FILE: larger than the limit of N bytes" or the
/// system's reason. A device such as /dev/zero, a pipe or a folder never starts a read that would
/// not end.
std::string InputFileProblem(const std::string& path, int64_t maxBytes = kMaxWholeFileBytes);

/// InputFileProblem as a check of an option's value: such a file is a bad value, refused before
/// the command does anything.
CLI::Validator WholeInputFile();
