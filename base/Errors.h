// The program's exceptions: a French message for the user, and the system's error code for the
// failures that come from the platform.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

class Error : public std::runtime_error {
public:
    explicit Error(std::wstring message)
        : std::runtime_error("Kavet24 error"), message_(std::move(message)) {}
    const std::wstring& Message() const { return message_; }

private:
    std::wstring message_;
};

// A platform failure, with the system's error code.
class OSError : public Error {
public:
    OSError(std::wstring message, uint32_t errorCode) : Error(std::move(message)), errorCode_(errorCode) {}
    uint32_t ErrorCode() const { return errorCode_; }

private:
    uint32_t errorCode_;
};

// A registry value or key that could not be read or written as asked.
class RegistryError : public Error {
public:
    using Error::Error;
};
