#pragma once

#include <QString>

#include <stdexcept>

// A failure of the data layer: the engine's message and its SQL code (0 when the failure is ours).
class DataError : public std::runtime_error {
public:
    explicit DataError(const QString& message, int sqlCode = 0)
        : std::runtime_error(message.toStdString()), message_(message), sqlCode_(sqlCode) {}

    const QString& message() const { return message_; }
    int sqlCode() const { return sqlCode_; }

private:
    QString message_;
    int sqlCode_;
};

// Raised by a handler that stops an operation silently: the caller's operation simply does not happen.
class OperationAborted : public std::exception {
public:
    const char* what() const noexcept override { return "operation aborted"; }
};

[[noreturn]] inline void Abort() {
    throw OperationAborted();
}

// SQL codes of the engine that the program reacts to.
namespace SqlCode {
constexpr int DuplicateKey = -803;
constexpr int NullInNotNull = -625;
constexpr int StringTruncation = -802;
constexpr int CannotOpen = -902;
} // namespace SqlCode
