// Errors of the command line in our own words: a mistyped command or option gets a suggestion,
// a value that is not one of a list says the list, and the option parser's internals stay hidden.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

/// A validator accepting exactly one of the texts; its message names them all.
CLI::Validator OneOf(std::vector<std::string> accepted);

/// The closest of the candidates to the word, when it is close enough to be a typing error.
std::optional<std::string> ClosestWord(const std::string& word, const std::vector<std::string>& candidates);

/// Before parsing: the first word that is not an option must be one of the program's commands, and
/// the word after a command that needs a command of its own one of those. Returns what to tell the
/// user when it is not (with a suggestion), else nothing.
std::optional<std::string> FindUnknownCommand(const CLI::App& app, const std::vector<std::string>& args);

/// The parser's error for the user: a suggestion for an unknown option, a conversion failure as
/// the option and the value that is not a number.
std::string ExplainParseError(const CLI::App& app, const CLI::ParseError& error, const std::vector<std::string>& args);
