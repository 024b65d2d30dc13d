// The outcome of a file whose platform call failed, from the system's error code: the common
// causes by name, any other with the system's own message.
#pragma once

#include "operations/FileOutcome.h"

#include <cstdint>

FileOutcome FailureOfSystemError(uint32_t code);
// From the calling thread's last error.
FileOutcome FailureOfLastError();
