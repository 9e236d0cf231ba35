#include "runtime/Cell.h"

#include "runtime/Number.h"

namespace kartello {

double Cell::toNumber() const {
    if (const double* d = std::get_if<double>(&value_))
        return *d;
    if (const QString* s = std::get_if<QString>(&value_))
        return readNumber(*s);
    return 0;
}

QString Cell::toText() const {
    if (const double* d = std::get_if<double>(&value_))
        return numberText(*d);
    if (const QString* s = std::get_if<QString>(&value_))
        return *s;
    return QString();
}

namespace {
int sign(double a, double b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}
int sign(int c) {
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
} // namespace

int Cell::compare(const Cell& a, const Cell& b) {
    // An empty cell meets a number as 0 and a text as "", as an unset variant does.
    const bool aNum = a.isNumber() || (a.isEmpty() && b.isNumber());
    const bool bNum = b.isNumber() || (b.isEmpty() && a.isNumber());
    if (aNum && bNum)
        return sign(a.toNumber(), b.toNumber());
    if (aNum)
        return -1;
    if (bNum)
        return 1;
    return sign(QStringView(a.toText()).compare(QStringView(b.toText()), Qt::CaseSensitive));
}

} // namespace kartello
