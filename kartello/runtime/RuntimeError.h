#pragma once
// The run-time error every trapping procedure may meet, with the classic numbers.
#include <QString>
#include <exception>

namespace kartello {

enum ErrorNumber : int {
    // Data a reader does not understand; the classic runtime has no number
    // for it, so the message reads "Error 0 ()".
    ErrNotUnderstood = 0,
    ErrInvalidCall = 5,
    ErrOverflow = 6,
    ErrOutOfMemory = 7,
    ErrSubscript = 9,
    ErrDivisionByZero = 11,
    ErrTypeMismatch = 13,
    ErrBadFileName = 52,
    ErrFileNotFound = 53,
    ErrInputPastEnd = 62,
    ErrPathFileAccess = 75,
    ErrPathNotFound = 76,
    ErrEntryPointNotFound = 453,
};

struct RuntimeError : std::exception {
    RuntimeError(int number, QString description);
    // The classic description of a number ("Overflow", "Division by zero", ...).
    explicit RuntimeError(int number);

    const char* what() const noexcept override { return utf8_.constData(); }

    int number;
    QString description;

private:
    QByteArray utf8_;
};

// The classic description text of an error number ("" for an unknown number).
QString errorDescription(int number);

// "Error " + number + " (" + description + ") in procedure " + procedure +
// " of form Main" + advice, advice such as ". Review your input data" or "".
QString errorMessage(const RuntimeError& e, const QString& procedure, const QString& advice = QString());
// Same with an explicit owner text, for " of Module1" and " of Formulário Dialog".
QString errorMessageOf(const RuntimeError& e, const QString& procedure, const QString& ownerSuffix,
                       const QString& advice = QString());

// Floating-point work the program treats as an error: never a silent inf/NaN.
double checkedDiv(double a, double b); // 11 when b == 0, 6 when the result overflows
double checkedLog(double v);           // 5 when v <= 0
double checkedSqrt(double v);          // 5 when v < 0
double checkedFinite(double v);        // 6 when v is inf or NaN; returns v otherwise

} // namespace kartello
