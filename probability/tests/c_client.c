/* A C program against the public header: proves the header is plain C and
 * that the record and by-reference conventions work from C. Exit status 0
 * when every check holds. */
#include "probability.h"

#include <errno.h>
#include <stdio.h>

static int failures = 0;

static void check(int condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "c_client: %s\n", what);
        ++failures;
    }
}

int main(void) {
    Cplx z = {-4.0, 0.0};
    Cplx r;
    double s = 0.0, c = 0.0;
    int32_t x = 42;

    CSqrt_Cplx(&r, &z);
    check(r.Re == 0.0 && r.Im == 2.0, "CSqrt_Cplx(-4) = 2i");
    check(ArcSin_Double(1.0) == 1.5707963267948966, "ArcSin_Double(1) = pi/2");
    check(ArcTan2_Double(-1.0, -1.0) == -2.356194490192345, "ArcTan2_Double(-1, -1) = -3pi/4");
    SinCos_Double(0.0, &s, &c);
    check(s == 0.0 && c == 1.0, "SinCos_Double(0)");
    Limit_Integer(0, &x, 10);
    check(x == 10, "Limit_Integer clamps in place");
    check(IsNan_Double(NAN_Double()), "NAN_Double is a NaN");
    check(ProMathCW_Word() == 0x133F, "ProMathCW_Word");

    /* Failures reach a C caller as errno and a NaN, never as the end of the
     * process; the calls after them work as before. */
    errno = 0;
    check(IsNan_Double(StrToVal_PChar("not a number")), "unreadable text gives a NaN");
    check(errno == EINVAL, "unreadable text sets errno to EINVAL");
    errno = 0;
    x = 0;
    check(IsNan_Double(ExtractSample_PChar("1;2", &x, ";")), "a position below 1 gives a NaN");
    check(errno == EINVAL && x == 0, "a position below 1 sets EINVAL and leaves the position");
    errno = 0;
    check(IsNan_Double(ErfInv_Double(2.0)), "ErfInv beyond 1 gives a NaN");
    check(errno == EDOM, "ErfInv beyond 1 sets EDOM");
    errno = 0;
    x = 1;
    check(ExtractSample_PChar("1;2", &x, ";") == 1.0 && x == 3 && errno == 0, "the next call reads normally");
    return failures == 0 ? 0 : 1;
}
