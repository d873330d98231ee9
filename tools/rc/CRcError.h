#pragma once

#include <stdexcept>
#include <string>

// A fault in a resource script, reported as "file:line: error: message" so
// that editors and build logs can jump to it.
class CRcError : public std::runtime_error {
public:
    CRcError(std::string file, int line, const std::string& message)
        : std::runtime_error(file + ":" + std::to_string(line) + ": error: " + message),
          file(std::move(file)), line(line), message(message) {}

    std::string file;
    int line;
    std::string message;
};
