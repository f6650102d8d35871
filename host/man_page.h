// The manual page of vireo-host, made from the same texts as its --help output, so that the two
// never disagree.
#pragma once

#include <string>

#include <CLI/CLI.hpp>

/// The manual page (man(7) format) of the program whose command line is app: a synopsis, the
/// description, then the help of every command and subcommand in the order they were added.
std::string ManPage(const CLI::App& app);
