#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace engine {

// A computation that cannot give a meaningful number: division by zero, the logarithm of a
// non-positive value, a result beyond the range of a double, a date beyond the calendar.
// It aborts the operation in progress; the caller tells the user.
class ArithmeticError : public std::runtime_error
{
public:
    enum class Kind { DivisionByZero, InvalidArgument, Overflow, DateOutOfRange };

    ArithmeticError(Kind kind, const std::string &what)
        : std::runtime_error(what)
        , m_kind(kind)
    { }
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

// Passes a finite value through; anything else becomes an overflow error.
double checkedResult(double value);

// Runs a computation that may fail; nothing when it does.
template<typename Computation>
std::optional<double> attempt(Computation computation)
{
    try {
        return computation();
    } catch (const ArithmeticError &) {
        return std::nullopt;
    }
}

} // namespace engine
