#pragma once
// A run-time failure inside a generator or routine that the caller reports
// with its number and description (a bad number, a missing table entry, an
// overflow). The text written before it stays.
#include <stdexcept>
#include <string>

namespace kestrel {

class ProcedureFailure : public std::runtime_error {
public:
    ProcedureFailure(int number, const std::string& description) : std::runtime_error(description), number_(number) { }
    int number() const { return number_; }

private:
    int number_;
};

// The numbers failures carry, as the operator sees them reported.
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrSubscript = 9;       // "Subscript out of range"
inline constexpr int kErrDivisionByZero = 11; // "Division by zero"

} // namespace kestrel
