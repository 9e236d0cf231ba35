#include "runtime/RuntimeError.h"

#include <cmath>

namespace kartello {

RuntimeError::RuntimeError(int n, QString d) : number(n), description(std::move(d)) {
    utf8_ = (QStringLiteral("Error %1 (%2)").arg(number).arg(description)).toUtf8();
}

RuntimeError::RuntimeError(int n) : RuntimeError(n, errorDescription(n)) {}

QString errorDescription(int number) {
    switch (number) {
    case ErrInvalidCall:
        return QStringLiteral("Invalid procedure call or argument");
    case ErrOverflow:
        return QStringLiteral("Overflow");
    case ErrOutOfMemory:
        return QStringLiteral("Out of memory");
    case ErrSubscript:
        return QStringLiteral("Subscript out of range");
    case ErrDivisionByZero:
        return QStringLiteral("Division by zero");
    case ErrTypeMismatch:
        return QStringLiteral("Type mismatch");
    case ErrBadFileName:
        return QStringLiteral("Bad file name or number");
    case ErrFileNotFound:
        return QStringLiteral("File not found");
    case ErrInputPastEnd:
        return QStringLiteral("Input past end of file");
    case ErrPathFileAccess:
        return QStringLiteral("Path/File access error");
    case ErrPathNotFound:
        return QStringLiteral("Path not found");
    default:
        return QString();
    }
}

QString errorMessageOf(const RuntimeError& e, const QString& procedure, const QString& ownerSuffix,
                       const QString& advice) {
    return QStringLiteral("Error ") + QString::number(e.number) + QStringLiteral(" (") + e.description +
           QStringLiteral(") in procedure ") + procedure + ownerSuffix + advice;
}

QString errorMessage(const RuntimeError& e, const QString& procedure, const QString& advice) {
    return errorMessageOf(e, procedure, QStringLiteral(" of form Main"), advice);
}

double checkedFinite(double v) {
    if (!std::isfinite(v))
        throw RuntimeError(ErrOverflow);
    return v;
}

double checkedDiv(double a, double b) {
    if (b == 0)
        throw RuntimeError(ErrDivisionByZero);
    return checkedFinite(a / b);
}

double checkedLog(double v) {
    if (!(v > 0))
        throw RuntimeError(ErrInvalidCall);
    return std::log(v);
}

double checkedSqrt(double v) {
    if (!(v >= 0))
        throw RuntimeError(ErrInvalidCall);
    return std::sqrt(v);
}

} // namespace kartello
