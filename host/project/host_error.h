// How the host reports a command it refuses.
#pragma once

#include <stdexcept>
#include <string>

/// Exit status of the host: success, a refused operation, a usage error.
constexpr int kExitSuccess = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

/// A command that cannot be carried out: the message goes to stderr, the project stays as it was and
/// the host exits with kExitRefused.
class HostError : public std::runtime_error {
public:
    explicit HostError(const std::string& message) : std::runtime_error(message) {}
};

/// A value on the command line that the command does not accept: the message says which, what is
/// accepted and gives an example; the host exits with kExitUsage and changes nothing.
class UsageError : public HostError {
public:
    explicit UsageError(const std::string& message) : HostError(message) {}
};
