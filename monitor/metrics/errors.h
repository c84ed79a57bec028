#pragma once
// Error types raised by the metric sources. Every one derives from std::runtime_error, so
// the application's default error report (catch std::exception, show what()) covers them.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace metrics {

// The generic error of the metric sources (CPU sampler messages and the like).
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failed IP helper call with one of the three known codes.
class EIpHlpError : public Error {
public:
    using Error::Error;
};

// A failed system call reported through its last-error code.
class EWin32Error : public Error {
public:
    EWin32Error(uint32_t code, const std::string& text) : Error(text), code_(code) {}
    uint32_t code() const { return code_; }

private:
    uint32_t code_;
};

}  // namespace metrics
