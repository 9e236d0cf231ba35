#include "graph/Scaling.h"

#include "graph/Geometry.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"
#include "runtime/Trap.h"

#include <cmath>

namespace kartello {

double altitude(double diag, const ErrorSink& sink) {
    const double r = 10800 / kPi;
    if (diag > r)
        return 50000;
    double a = 0;
    runProcedure(sink, Procedure{QStringLiteral("altitude")}, [&] {
        a = checkedFinite((r - checkedSqrt(r * r - (diag / 2) * (diag / 2))) * 1852 * 1.05);
    });
    return a;
}

QString FormatFactor(double x) {
    if (x > 99)
        return formatPicture(x, u"###");
    if (x > 10)
        return formatPicture(x, u"###.0");
    if (x > 1)
        return formatPicture(x, u"###.00");
    if (x > 0.1)
        return formatPicture(x, u"###.000");
    if (x > 0.001)
        return formatPicture(x, u"###.0000");
    return QString();
}

double heightBase(double extentKm) {
    if (extentKm == 0)
        extentKm = 1;
    return checkedFinite(std::exp(0.8306 * checkedLog(extentKm) + 6.6993));
}

double RoundUp(double x, int decimals) {
    const double f = std::pow(10.0, decimals);
    return intFloor(x * f + 0.99999) / f;
}

double roundDecimals(double x, int decimals) {
    const double f = std::pow(10.0, decimals);
    return checkedFinite(roundHalfEven(x * f) / f);
}

} // namespace kartello
