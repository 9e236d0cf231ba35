#pragma once
// The error a grid member raises: a number and its description, as the grid
// and the classic runtime report them (30009 "Invalid Row value", 6 "Overflow", ...).
#include <QByteArray>
#include <QString>
#include <exception>

#include "tessara/Export.h"

namespace tessara {

enum GridErrorNumber : int {
    ErrOverflow = 6,
    ErrOutOfMemory = 7,
    ErrFileNotFound = 53,
    ErrInvalidUseOfNull = 94,
    ErrInvalidPropertyValue = 380,
    ErrSubscript = 381,
    ErrInvalidPicture = 481,
    ErrInvalidRow = 30009,
    ErrInvalidCol = 30010,
};

class TESSARA_EXPORT GridError : public std::exception {
public:
    GridError(int number, QString description);
    // The description the grid or the runtime gives for a number.
    explicit GridError(int number);

    const char* what() const noexcept override { return utf8_.constData(); }

    int number;
    QString description;

private:
    QByteArray utf8_;
};

// The description text of an error number known to the grid ("" when unknown).
TESSARA_EXPORT QString gridErrorDescription(int number);

} // namespace tessara
