#pragma once
// A run-time error of the program, with the classic error number and a French description.
// Operations install no handlers of their own: the error travels to whoever started them.

#include <stdexcept>
#include <string>

namespace shape {

class RuntimeError : public std::runtime_error {
public:
    enum Number : int {
        InvalidProcedureCall = 5,
        Overflow = 6,
        DivisionByZero = 11,
    };

    RuntimeError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    int number() const { return number_; }

private:
    int number_;
};

} // namespace shape
