/* A Windows C program that loads Probability.dll by name (LoadLibrary and
 * GetProcAddress, as the library's callers do) and checks a sample of every
 * family of exports: the real and complex elementary functions against the
 * mpmath reference tables, the other families at values derived by hand.
 *   dll_client Probability.dll elementary.tsv complex.tsv
 * Prints what failed; exit status 0 when every check holds. */
#include <errno.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

typedef struct Cplx {
    double Re;
    double Im;
} Cplx;

typedef double(__stdcall* Real1)(double);
typedef double(__stdcall* Real2)(double, double);
typedef double(__stdcall* Real3)(double, double, double);
typedef void(__stdcall* Complex1)(Cplx*, const Cplx*);
typedef uint16_t(__stdcall* WordResult)(void);
typedef void(__stdcall* WordArgument)(uint16_t);
typedef int32_t(__stdcall* Integer2)(int32_t, int32_t);
typedef double(__stdcall* TextToReal)(const char*);
typedef double(__stdcall* PCplxToReal)(const Cplx*);

static HMODULE library;
static int failures = 0;
static int checks = 0;

/* The export as a generic function pointer, the one type every function
 * pointer converts to and from without a warning. */
typedef void (*Entry)(void);

static Entry entry(const char* name) {
    const Entry f = (Entry)GetProcAddress(library, name);
    if (f == NULL) {
        printf("missing export %s\n", name);
        exit(1);
    }
    return f;
}

static void check(int condition, const char* what, const char* detail) {
    ++checks;
    if (!condition) {
        printf("FAILED %s: %s\n", what, detail);
        ++failures;
    }
}

/* One unit in the last place of a double near r. */
static double ulp(double r) {
    const double a = fabs(r);
    if (a < 2.2250738585072014e-308)
        return 4.9406564584124654e-324;
    return ldexp(1.0, ilogb(a) - 52);
}

/* got against the reference text: NaN and infinities exactly, zeros as
 * zeros, other values within `ulps` of the rounded reference. */
static int matches(double got, const char* reference, double ulps) {
    const double r = strtod(reference, NULL);
    if (strcmp(reference, "nan") == 0)
        return isnan(got);
    if (isinf(r))
        return got == r;
    return isfinite(got) && fabs(got - r) <= ulps * ulp(r);
}

static int nextRow(FILE* file, char* line, int size) {
    if (fgets(line, size, file) == NULL)
        return 0;
    line[strcspn(line, "\r\n")] = 0;
    return 1;
}

/* Every 7th row of elementary.tsv: within 1 ulp of the true value, so within
 * 1.5 of the reference rounded to double. */
static void realElementary(const char* path) {
    FILE* file = fopen(path, "r");
    char line[512];
    long row = 0;
    if (file == NULL) {
        check(0, "open", path);
        return;
    }
    while (nextRow(file, line, sizeof line)) {
        char name[64], a[64], b[64], expected[80], function[80];
        if (row++ % 7 != 0)
            continue;
        if (sscanf(line, "%63[^\t]\t%63[^\t]\t%63[^\t]\t%79s", name, a, b, expected) == 4) {
            snprintf(function, sizeof function, "%s_Double", name);
            const double got = ((Real2)entry(function))(strtod(a, NULL), strtod(b, NULL));
            check(matches(got, expected, 0.5), line, "two-argument function");
        } else if (sscanf(line, "%63[^\t]\t%63[^\t]\t%79s", name, a, expected) == 3) {
            snprintf(function, sizeof function, "%s_Double", name);
            const double got = ((Real1)entry(function))(strtod(a, NULL));
            check(matches(got, expected, 1.5), line, "one-argument function");
        }
    }
    fclose(file);
}

/* Every 11th row of complex.tsv: within 2.5 ulps of the modulus. */
static void complexElementary(const char* path) {
    FILE* file = fopen(path, "r");
    char line[512];
    long row = 0;
    if (file == NULL) {
        check(0, "open", path);
        return;
    }
    while (nextRow(file, line, sizeof line)) {
        char name[64], a[64], b[64], re[80], im[80], function[80];
        if (row++ % 11 != 0 ||
            sscanf(line, "%63[^\t]\t%63[^\t]\t%63[^\t]\t%79[^\t]\t%79s", name, a, b, re, im) != 5)
            continue;
        snprintf(function, sizeof function, "%s_Cplx", name);
        const Cplx z = {strtod(a, NULL), strtod(b, NULL)};
        Cplx r;
        ((Complex1)entry(function))(&r, &z);
        const double er = strtod(re, NULL), ei = strtod(im, NULL);
        if (!isfinite(er) || !isfinite(ei) || strcmp(re, "nan") == 0 || strcmp(im, "nan") == 0) {
            check(matches(r.Re, re, 0) && matches(r.Im, im, 0), line, "special value");
            continue;
        }
        const double modulus = hypot(er, ei);
        check(isfinite(r.Re) && isfinite(r.Im) && hypot(r.Re - er, r.Im - ei) <= 2.5 * ulp(modulus), line,
              "complex function");
    }
    fclose(file);
}

static void otherFamilies(void) {
    char detail[64] = "";
    ((WordArgument)entry("Set8087CW_Word"))(0x133F);
    check(((WordResult)entry("Get8087CW_Word"))() == 0x133F, "Get8087CW_Word after Set8087CW_Word(133F)",
          detail);
    check(((WordResult)entry("ProMathCW_Word"))() == 0x133F, "ProMathCW_Word", detail);
    check(isnan(((double(__stdcall*)(void))entry("NAN_Double"))()), "NAN_Double", detail);
    check(((int32_t(__stdcall*)(double))entry("Floor_Double"))(-1.5) == -2, "Floor_Double(-1.5)", detail);
    check(((Integer2)entry("Gcd_integer"))(-12, 18) == 6, "Gcd_integer(-12, 18)", detail);
    const Cplx z = {3, 4};
    check(((PCplxToReal)entry("CAbs_Cplx"))(&z) == 5, "CAbs_Cplx(3 + 4i)", detail);
    const Cplx minusFour = {-4, 0};
    Cplx root;
    ((Complex1)entry("CSqrt_Cplx"))(&root, &minusFour);
    check(root.Re == 0 && root.Im == 2, "CSqrt_Cplx(-4)", detail);
    check(((Real1)entry("Gamma_Double"))(5) == 24, "Gamma_Double(5)", detail);
    check(((Real1)entry("Erf_Double"))(0) == 0, "Erf_Double(0)", detail);
    check(((Real3)entry("NormalCDF_Double"))(0, 0, 1) == 0.5, "NormalCDF_Double(0, 0, 1)", detail);
    check(((TextToReal)entry("StrToVal_PChar"))("1.5") == 1.5, "StrToVal_PChar(1.5)", detail);
    /* A failure reaches this C caller as errno and a NaN, not as its end. */
    errno = 0;
    const double unreadable = ((TextToReal)entry("StrToVal_PChar"))("not a number");
    snprintf(detail, sizeof detail, "errno %d", errno);
    check(isnan(unreadable) && errno == EINVAL, "StrToVal_PChar of unreadable text", detail);
}

int main(int argc, char** argv) {
    if (argc != 4) {
        printf("usage: dll_client Probability.dll elementary.tsv complex.tsv\n");
        return 2;
    }
    library = LoadLibraryA(argv[1]);
    if (library == NULL) {
        printf("LoadLibrary(%s) failed: %lu\n", argv[1], (unsigned long)GetLastError());
        return 1;
    }
    otherFamilies();
    realElementary(argv[2]);
    complexElementary(argv[3]);
    printf("%d checks, %d failed\n", checks, failures);
    FreeLibrary(library);
    return failures == 0 ? 0 : 1;
}
