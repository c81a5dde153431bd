#pragma once

#include <stdexcept>
#include <string>

namespace stowbel {

// An order that cannot be calculated: the bare message (no file, no line) and the 1-based line
// it concerns. Every front end says where the error is in its own words, once.
class OrderError : public std::runtime_error {
public:
    enum class Kind {
        Conversion,  // a field whose text is no number: the runtime's conversion message
        Validation,  // a number the calculation cannot work with: a Russian message
    };

    OrderError(Kind kind, const std::string& message, int line)
        : std::runtime_error(message), kind_(kind), line_(line) {}

    Kind GetKind() const { return kind_; }
    // 1-based; 0 when the error concerns no single line.
    int Line() const { return line_; }
    std::string Message() const { return what(); }

private:
    Kind kind_;
    int line_;
};

}  // namespace stowbel
