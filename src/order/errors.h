#pragma once

#include <stdexcept>
#include <string>

namespace stowbel {

// An order that cannot be calculated. The message is what the user sees; the line index
// (0-based, -1 when unknown) lets a front end point at the faulty line.
class OrderError : public std::runtime_error {
public:
    OrderError(const std::string& message, int lineIndex)
        : std::runtime_error(message), lineIndex_(lineIndex) {}
    int LineIndex() const { return lineIndex_; }

private:
    int lineIndex_;
};

// A field whose text is no number. The message is exactly the runtime's conversion message.
class ConversionError : public OrderError {
public:
    using OrderError::OrderError;
};

// A field that reads as a number the calculation cannot work with (a zero size, a quantity
// out of range). The message is Russian and names the line and the field.
class ValidationError : public OrderError {
public:
    using OrderError::OrderError;
};

}  // namespace stowbel
