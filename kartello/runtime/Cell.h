#pragma once
// One cell of the place store: empty, a number or a text.
#include <QString>
#include <variant>

namespace kartello {

class Cell {
public:
    Cell() = default;
    Cell(double number) : value_(number) {}
    Cell(const QString& text) : value_(text) {}
    Cell(const char* text) : value_(QString::fromUtf8(text)) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool isNumber() const { return std::holds_alternative<double>(value_); }
    bool isText() const { return std::holds_alternative<QString>(value_); }

    // The number held; a text is read with the number reader, empty gives 0.
    double toNumber() const;
    // The text held; a number is written in the general number format, empty gives "".
    QString toText() const;

    // Sorting order of the place store: numbers by value, texts by character
    // codes, and any number before any text. An empty cell meets a number as 0 and a
    // text as the empty text.
    static int compare(const Cell& a, const Cell& b);
    friend bool operator<(const Cell& a, const Cell& b) { return compare(a, b) < 0; }
    friend bool operator>(const Cell& a, const Cell& b) { return compare(a, b) > 0; }
    friend bool operator==(const Cell& a, const Cell& b) { return a.value_ == b.value_; }

private:
    std::variant<std::monostate, double, QString> value_;
};

} // namespace kartello
