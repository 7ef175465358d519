#pragma once

#include <stdexcept>
#include <string>

namespace velnix {

// A run-time failure that travels up to the caller. Its message is shown to the user as it
// stands, so it is written in French.
class VelnixError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A stored text that does not convert to the type asked for.
class TypeMismatchError : public VelnixError {
  public:
    explicit TypeMismatchError(const std::string& detail)
        : VelnixError("Incompatibilité de type : " + detail) {}
};

// An index outside the bounds of a fixed buffer.
class OutOfRangeError : public VelnixError {
  public:
    explicit OutOfRangeError(const std::string& detail)
        : VelnixError("Indice hors limites : " + detail) {}
};

// A signed 32-bit result that does not fit.
class OverflowError : public VelnixError {
  public:
    OverflowError() : VelnixError("Dépassement de capacité") {}
};

// The settings store could not be read or written.
class SettingsError : public VelnixError {
  public:
    using VelnixError::VelnixError;
};

// A command line could not be started as a process.
class ProcessStartError : public VelnixError {
  public:
    using VelnixError::VelnixError;
};

}  // namespace velnix
