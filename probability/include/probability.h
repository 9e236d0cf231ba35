/* probability.h: the exported functions of libprobability.so.
 *
 * Every entry point is a plain C symbol. Doubles travel by value; complex
 * numbers travel as pointers to Cplx records, and a function with a complex
 * result takes the caller's result record as its first parameter.
 * Arithmetic inside is done in 80-bit extended precision and rounded to
 * double only on return.
 *
 * Calling convention: x86-64 has a single C calling convention (System V),
 * so the exports use it; it is the nearest equivalent of a convention in
 * which the callee removes its arguments. Integer is int32_t, Word is
 * uint16_t, Boolean is bool (one byte, 0 or 1).
 *
 * Domain errors (square root or logarithm of a negative number, division by
 * zero, overflow) are left to the x87 unit under the calling thread's control
 * word: masked, they give a NaN or an infinity; unmasked, they raise SIGFPE
 * inside the function. Loading the library leaves the caller's control word
 * as it was (normally everything masked); a caller that wants traps calls
 * Set8087CW_Word.
 */
#ifndef PROBABILITY_H
#define PROBABILITY_H

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#define PROBABILITY_EXTERN extern "C"
#else
#define PROBABILITY_EXTERN extern
#endif
#define PROBABILITY_API PROBABILITY_EXTERN __attribute__((visibility("default")))

typedef struct Cplx {
    double Re;
    double Im;
} Cplx;

/* ---- Failures -------------------------------------------------------------
 *
 * The two failures that are not domain errors ("Failed to converge!" from the
 * iterative inverses and "Offset < 1" from the text walkers) are thrown as a
 * C++ exception of type ProbabilityError, which a C++ caller catches by type
 * (also when the library was loaded with dlopen). A C caller cannot catch it:
 * the unwinder finds no handler and the process ends through std::terminate
 * (SIGABRT). C callers keep to the documented domains of those functions.
 */
#ifdef __cplusplus
#include <stdexcept>

class __attribute__((visibility("default"))) ProbabilityError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    /* Defined in the library, so that its type information has one home that
     * every catching module shares. */
    ~ProbabilityError() override;
};
#endif

/* ---- Floating-point unit ------------------------------------------------ */

/* The x87 control word of the calling thread. */
PROBABILITY_API uint16_t Get8087CW_Word(void);
/* Clears pending exception flags, then loads CW as the thread's control word. */
PROBABILITY_API void Set8087CW_Word(uint16_t CW);
/* 133F hex: all six exceptions masked, 64-bit precision, round to nearest. */
PROBABILITY_API uint16_t ProMathCW_Word(void);
/* Clears the exception flags; the control word stays as it is. */
PROBABILITY_API void ClearFPU(void);

/* ---- Constants, tests and elementary functions -------------------------- */

/* ---- Special functions --------------------------------------------------- */

PROBABILITY_API int32_t SgnGamma(double X);
PROBABILITY_API double Gamma_Double(double X);
PROBABILITY_API double LnGamma_Double(double X);
PROBABILITY_API void Gamma_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void LnGamma_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API double Fact_Integer(int32_t N);
PROBABILITY_API double Binomial_Integer(int32_t N, int32_t K);
PROBABILITY_API double Beta_Double(double A, double B);
PROBABILITY_API double BetaIncomplete_Double(double X, double A, double B);
PROBABILITY_API double GammaSer_Double(double A, double X);
PROBABILITY_API double GammaFrac_Double(double A, double X);
PROBABILITY_API double IGamma_Double(double A, double X);
PROBABILITY_API double JGamma_Double(double A, double X);
PROBABILITY_API void GammaSer_Cplx(Cplx* R, double A, const Cplx* Z);
PROBABILITY_API void GammaFrac_Cplx(Cplx* R, double A, const Cplx* Z);
PROBABILITY_API void IGamma_Cplx(Cplx* R, double A, const Cplx* Z);
PROBABILITY_API void JGamma_Cplx(Cplx* R, double A, const Cplx* Z);
PROBABILITY_API double Erf_Double(double X);
PROBABILITY_API double Erfc_Double(double X);
PROBABILITY_API double ErfInv_Double(double Y);
PROBABILITY_API void BesselIO(Cplx* R, const Cplx* Z);
PROBABILITY_API void BesselJO(Cplx* R, const Cplx* Z);

/* ---- Distributions ------------------------------------------------------- */

PROBABILITY_API double BetaPDF_Double(double X, double A, double B);
PROBABILITY_API double BetaCDF_Double(double X, double A, double B);
PROBABILITY_API double BetaCDFInv_Double(double P, double A, double B);
PROBABILITY_API double BinomPDF_Double(double X, int32_t N, double P);
PROBABILITY_API double BinomCDF_Double(double X, int32_t N, double P);
PROBABILITY_API double BinomCDFInv_Double(double Q, int32_t N, double P);
PROBABILITY_API double BoseEinsteinPDF_Double(double A, double B);
PROBABILITY_API double CauchyPDF_Double(double X, double G, double X0);
PROBABILITY_API double CauchyCDF_Double(double X, double G, double X0);
PROBABILITY_API double CauchyCDFInv_Double(double P, double G, double X0);
PROBABILITY_API double ChiSquarePDF_Double(double X, double Nu);
PROBABILITY_API double ChiSquareCDF_Double(double X, int32_t Nu);
PROBABILITY_API double ChiSquareDDFInv_Double(double P, int32_t Nu);
PROBABILITY_API double ExpPDF_Double(double X, double M);
PROBABILITY_API double ExpCDF_Double(double X, double M);
PROBABILITY_API double ExpCDFInv_Double(double P, double M);
PROBABILITY_API double FPDF_Double(double X, int32_t N1, int32_t N2);
PROBABILITY_API double FCDF_Double(double X, int32_t N1, int32_t N2);
PROBABILITY_API double FCDFInv_Double(double P, int32_t N1, int32_t N2);
PROBABILITY_API double FermiDiracPDF_Double(double A, double B, double C);
PROBABILITY_API double GammaPDF_Double(double X, double A, double B);
PROBABILITY_API double GammaCDF_Double(double X, double A, double B);
PROBABILITY_API double GammaCDFInv_Double(double P, double A, double B);
PROBABILITY_API double GeometricPDF_Double(double X, double P);
PROBABILITY_API double GeometricCDF_Double(double X, double P);
PROBABILITY_API double GeometricCDFInv_Double(double Q, double P);
PROBABILITY_API double HypGeometricPDF_Double(double X, int32_t N, int32_t K, int32_t M);
PROBABILITY_API double HypGeometricCDF_Double(double X, int32_t N, int32_t K, int32_t M);
PROBABILITY_API double HypGeometricCDFInv_Double(double Q, int32_t N, int32_t K, int32_t M);
PROBABILITY_API double MaxwellPDF_Double(double X, double A);
PROBABILITY_API double MaxwellCDF_Double(double X, double A);
PROBABILITY_API double MaxwellCDFInv_Double(double Q, double A);
/* N first, then P and X: the stack order of the other exports. */
PROBABILITY_API double NegBinomPDF_Double(int32_t N, double P, double X);
PROBABILITY_API double NegBinomCDF_Double(double X, int32_t N, double P);
PROBABILITY_API double NegBinomCDFInv_Double(double Q, int32_t N, double P);
PROBABILITY_API double NormalPDF_Double(double X, double Mu, double S);
PROBABILITY_API double NormalCDF_Double(double X, double Mu, double S);
PROBABILITY_API double NormalCDFInv_Double(double P, double Mu, double S);
PROBABILITY_API double ParetoPDF_Double(double X, double A, double K);
PROBABILITY_API double ParetoCDF_Double(double X, double A, double K);
PROBABILITY_API double ParetoCDFInv_Double(double P, double A, double K);
PROBABILITY_API double PoissonPDF_Double(int32_t N, double L);
PROBABILITY_API double PoissonCDF_Double(double X, double L);
PROBABILITY_API double PoissonCDFInv_Double(double Q, double L);
PROBABILITY_API double RayleighPDF_Double(double X, double S);
PROBABILITY_API double RayleighCDF_Double(double X, double S);
PROBABILITY_API double RayleighCDFInv_Double(double P, double S);
PROBABILITY_API double StudentPDF_Double(double X, int32_t Nu);
PROBABILITY_API double StudentCDF_Double(double X, int32_t Nu);
PROBABILITY_API double StudentCDFInv_Double(double P, int32_t Nu);
PROBABILITY_API double UniformPDF_Double(double X, double A, double B);
PROBABILITY_API double UniformCDF_Double(double X, double A, double B);
PROBABILITY_API double UniformCDFInv_Double(double P, double A, double B);
PROBABILITY_API double UniformDPDF_Double(double X, int32_t N);
PROBABILITY_API double UniformDCDF_Double(double X, int32_t N);
PROBABILITY_API double UniformDCDFInv_Double(double P, int32_t N);
PROBABILITY_API double WeibullPDF_Double(double X, double A, double B);
PROBABILITY_API double WeibullCDF_Double(double X, double A, double B);
PROBABILITY_API double WeibullCDFInv_Double(double P, double A, double B);

/* ---- Number and complex text --------------------------------------------- */

/* The writers copy characters into Buffer without a terminating zero and
 * return their count; the caller's buffer must be large enough (80 bytes
 * hold any result of CplxToStr_PChar). */
PROBABILITY_API double StrToVal_PChar(const char* S);
PROBABILITY_API void StrToCplx_PChar(Cplx* R, const char* S);
PROBABILITY_API int32_t CplxToStr_PChar(const Cplx* Z, char* Buffer, int32_t Digits);
PROBABILITY_API int32_t FormatCplx_PChar(const Cplx* Z, char* Buffer, const char* FormatRe,
                                         const char* FormatIm);
PROBABILITY_API double ExtractSample_PChar(const char* S, int32_t* Pos, const char* Sep);
PROBABILITY_API void ExtractCplx_PChar(Cplx* R, const char* S, int32_t* Pos, const char* Sep);

#endif /* PROBABILITY_H */
