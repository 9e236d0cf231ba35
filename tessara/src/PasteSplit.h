#pragma once
// Splitting of pasted text into lines and tab-separated fields. Both work on
// views into the pasted string so that a block of thousands of lines is taken
// apart in one pass.
#include <QStringView>

namespace tessara {

// Leading and trailing blanks removed; tabs and line breaks stay.
QStringView trimBlanks(QStringView text);

// Takes lines off the front of a text. The separator is the first carriage
// return + line feed if the rest holds one anywhere, else the first carriage
// return, else the first line feed; without one, the whole rest is the line.
class LineSplitter {
public:
    explicit LineSplitter(QStringView text) : rest_(text) {}

    bool atEnd() const { return rest_.isEmpty(); }
    QStringView rest() const { return rest_; }
    void dropRest() { rest_ = QStringView(); }
    QStringView nextLine();

private:
    QStringView rest_;
    // Once the rest holds no pair (or no carriage return) no later rest will.
    bool mayHoldPair_ = true;
    bool mayHoldReturn_ = true;
};

// Takes the next tab-separated field off the front of a line.
QStringView nextField(QStringView& line);

} // namespace tessara
