#include "tessara/GridError.h"

namespace tessara {

QString gridErrorDescription(int number) {
    switch (number) {
    case ErrOverflow:
        return QStringLiteral("Overflow");
    case ErrOutOfMemory:
        return QStringLiteral("Out of memory");
    case ErrFileNotFound:
        return QStringLiteral("File not found");
    case ErrInvalidUseOfNull:
        return QStringLiteral("Invalid use of Null");
    case ErrInvalidPropertyValue:
        return QStringLiteral("Invalid property value");
    case ErrSubscript:
        return QStringLiteral("Subscript out of range");
    case ErrInvalidPicture:
        return QStringLiteral("Invalid picture");
    case ErrInvalidRow:
        return QStringLiteral("Invalid Row value");
    case ErrInvalidCol:
        return QStringLiteral("Invalid Col value");
    default:
        return QString();
    }
}

GridError::GridError(int number_, QString description_)
    : number(number_), description(std::move(description_)), utf8_(description.toUtf8()) {}

GridError::GridError(int number_) : GridError(number_, gridErrorDescription(number_)) {}

} // namespace tessara
