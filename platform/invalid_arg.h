// The framework's invalid-argument exception: raised for an index outside a list, a negative size
// or a column name that is not registered. The driver does not catch it; it reaches the host.
#pragma once

#include <stdexcept>
#include <string>

class CInvalidArgException : public std::invalid_argument {
public:
    explicit CInvalidArgException(const char* what) : std::invalid_argument(what) {}
    explicit CInvalidArgException(const std::string& what) : std::invalid_argument(what) {}
};
