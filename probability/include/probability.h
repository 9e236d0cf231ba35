/* probability.h: the exported functions of libprobability.so.
 *
 * Every entry point is a plain C symbol. Doubles travel by value; complex
 * numbers travel as pointers to Cplx records, and a function with a complex
 * result takes the caller's result record as its first parameter.
 * Arithmetic inside is done in 80-bit extended precision and rounded to
 * double only on return.
 *
 * Calling convention: x86-64 has a single C calling convention (System V
 * on Linux, the Microsoft x64 one in the 64-bit DLL), so the exports use it;
 * the 32-bit Windows DLL uses the standard Windows convention (stdcall: the
 * callee removes its arguments, doubles come back in ST(0)). Integer is int32_t, Word is
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
#if defined(_WIN32)
/* The Windows DLL: exported through its .def file under the plain names; in
 * 32-bit code with the standard Windows convention (the callee removes the
 * arguments, a double comes back in ST(0)). */
#if defined(__i386__)
#define PROBABILITY_API PROBABILITY_EXTERN __attribute__((stdcall))
#else
#define PROBABILITY_API PROBABILITY_EXTERN
#endif
#define PROBABILITY_VISIBLE
#else
#define PROBABILITY_VISIBLE __attribute__((visibility("default")))
#define PROBABILITY_API PROBABILITY_EXTERN PROBABILITY_VISIBLE
#endif

typedef struct Cplx {
    double Re;
    double Im;
} Cplx;

/* ---- Failures -------------------------------------------------------------
 *
 * The failures that are not domain errors ("Failed to converge!" where an
 * iterative inverse has no answer, "Offset < 1" from the text walkers,
 * unreadable number text) reach each caller the way it can take them:
 *
 * - A C++ caller catches them as the exception ProbabilityError, by type
 *   (also when the library was loaded with dlopen); what() is the message.
 * - A caller with no C++ handler for it (a C program, or frames the unwinder
 *   cannot pass) is never ended. The function returns its no-answer value
 *   (a NaN; a complex result (NaN, NaN)) and sets errno: EDOM when there is
 *   no answer, EINVAL for unreadable text or a position below 1. errno is
 *   untouched by calls that succeed, so set it to 0 before the call.
 */
#ifdef __cplusplus
#include <stdexcept>

/* Wholly inline on purpose: every module that throws or catches it carries
 * its own copy of the type information, so a program that only dlopens the
 * library (and never links it) can still catch it by type; the C++ runtime
 * matches the copies by their mangled name. */
class PROBABILITY_VISIBLE ProbabilityError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
#endif

/* ---- Floating-point unit ------------------------------------------------ */

/* The x87 control word of the calling thread, reserved bits (6, 13-15) clear,
 * so that it equals the word last given to Set8087CW_Word. */
PROBABILITY_API uint16_t Get8087CW_Word(void);
/* Clears pending exception flags, then loads CW as the thread's control word. */
PROBABILITY_API void Set8087CW_Word(uint16_t CW);
/* 133F hex: all six exceptions masked, 64-bit precision, round to nearest. */
PROBABILITY_API uint16_t ProMathCW_Word(void);
/* Clears the exception flags; the control word stays as it is. */
PROBABILITY_API void ClearFPU(void);

/* ---- Constants, tests and elementary functions -------------------------- */

/* Constants and tests. */
PROBABILITY_API double NAN_Double(void);
PROBABILITY_API double INF_Double(void);
PROBABILITY_API void NAN_Cplx(Cplx* R);
PROBABILITY_API void INF_Cplx(Cplx* R);
PROBABILITY_API bool IsNan_Double(double X);
PROBABILITY_API bool IsInf_Double(double X);
PROBABILITY_API bool IsInfNan_Double(double X);
PROBABILITY_API bool IsNanInf_Double(double X);
PROBABILITY_API bool IsNan_Cplx(const Cplx* Z);
PROBABILITY_API bool IsInf_Cplx(const Cplx* Z);
PROBABILITY_API bool IsInfNan_Cplx(const Cplx* Z);
PROBABILITY_API bool IsNanInf_Cplx(const Cplx* Z);

/* Real elementary functions. */
PROBABILITY_API double Exp_Double(double X);
PROBABILITY_API double Exp2_Double(double X);
PROBABILITY_API double Exp10_Double(double X);
PROBABILITY_API double Ln_Double(double X);
PROBABILITY_API double Log2_Double(double X);
PROBABILITY_API double Log10_Double(double X);
PROBABILITY_API double LogN_Double(double Base, double X);
PROBABILITY_API double IntPower_Double(double X, int32_t N);
PROBABILITY_API double Power_Double(double Base, double E);
PROBABILITY_API double Pythag_Double(double A, double B);
PROBABILITY_API double Sin_Double(double X);
PROBABILITY_API double Cos_Double(double X);
PROBABILITY_API double Tan_Double(double X);
PROBABILITY_API void SinCos_Double(double X, double* SinX, double* CosX);
PROBABILITY_API double ArcSin_Double(double X);
PROBABILITY_API double ArcCos_Double(double X);
PROBABILITY_API double ArcTan_Double(double X);
PROBABILITY_API double ArcTan2_Double(double Y, double X);
PROBABILITY_API double Sinh_Double(double X);
PROBABILITY_API double Cosh_Double(double X);
PROBABILITY_API double Tanh_Double(double X);
PROBABILITY_API void SinhCosh_Double(double X, double* SinhX, double* CoshX);
PROBABILITY_API double ArcSinh_Double(double X);
PROBABILITY_API double ArcCosh_Double(double X);
PROBABILITY_API double ArcTanh_Double(double X);
PROBABILITY_API double Sec_Double(double X);
PROBABILITY_API double Csc_Double(double X);
PROBABILITY_API double Cot_Double(double X);
PROBABILITY_API double Sech_Double(double X);
PROBABILITY_API double Csch_Double(double X);
PROBABILITY_API double Coth_Double(double X);
PROBABILITY_API double ArcSec_Double(double X);
PROBABILITY_API double ArcCsc_Double(double X);
PROBABILITY_API double ArcCot_Double(double X);
PROBABILITY_API double ArcSech_Double(double X);
PROBABILITY_API double ArcCsch_Double(double X);
PROBABILITY_API double ArcCoth_Double(double X);
PROBABILITY_API double DegToRad_Double(double X);
PROBABILITY_API double RadToDeg_Double(double X);
PROBABILITY_API double FixAngle_Double(double X);
PROBABILITY_API void Expj_Double(Cplx* R, double A);

/* Real utilities. */
PROBABILITY_API double Min_Double(double A, double B);
PROBABILITY_API double Max_Double(double A, double B);
PROBABILITY_API int32_t Sgn_Double(double X);
PROBABILITY_API double Sign_Double(double A, double B);
PROBABILITY_API void Limit_Double(double Lo, double* X, double Hi);
PROBABILITY_API bool Equal_Double(double A, double B, double Tol);
PROBABILITY_API bool Bigger_Double(double A, double B, double Tol);
PROBABILITY_API bool Smaller_Double(double A, double B, double Tol);
PROBABILITY_API void Swap_Double(double* A, double* B);
PROBABILITY_API int64_t Trunc_Double(double X);
PROBABILITY_API double Frac_Double(double X);
PROBABILITY_API int32_t Ceil_Double(double X);
PROBABILITY_API int32_t Floor_Double(double X);
PROBABILITY_API double Rem_Double(double A, double B);

/* Integer utilities. */
PROBABILITY_API int32_t Min_Integer(int32_t A, int32_t B);
PROBABILITY_API int32_t Max_Integer(int32_t A, int32_t B);
PROBABILITY_API void Limit_Integer(int32_t Lo, int32_t* X, int32_t Hi);
PROBABILITY_API void Swap_Integer(int32_t* A, int32_t* B);
PROBABILITY_API int32_t LargestExp2_Integer(int32_t N);
PROBABILITY_API int32_t LargestLog2_Integer(int32_t N);
PROBABILITY_API int32_t Gcd_integer(int32_t A, int32_t B);
PROBABILITY_API int64_t Lcm_integer(int32_t A, int32_t B);

/* Complex construction, parts and comparison. */
PROBABILITY_API void Cplx_Cplx(Cplx* R, double Re, double Im);
PROBABILITY_API double Real_Cplx(const Cplx* Z);
PROBABILITY_API double Imag_Cplx(const Cplx* Z);
PROBABILITY_API double CAbs_Cplx(const Cplx* Z);
PROBABILITY_API double Arg_Cplx(const Cplx* Z);
PROBABILITY_API double Norm_Cplx(const Cplx* Z);
PROBABILITY_API void Neg_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Conj_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Flip_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void FlipConj_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void MulI_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void CInv_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Swap_Cplx(Cplx* A, Cplx* B);
PROBABILITY_API int32_t Sgn_Cplx(const Cplx* Z);
/* R = (Sign_Double(A.Re, B.Re), Sign_Double(A.Im, B.Im)). */
PROBABILITY_API void Sign_Cplx(Cplx* R, const Cplx* A, const Cplx* B);
PROBABILITY_API bool Equal_Cplx(const Cplx* A, const Cplx* B);
PROBABILITY_API bool Equal_CplxTol(const Cplx* A, const Cplx* B, double Tol);
PROBABILITY_API bool Bigger_Cplx(const Cplx* A, const Cplx* B);
PROBABILITY_API bool Smaller_Cplx(const Cplx* A, const Cplx* B);
PROBABILITY_API bool Bigger2_Cplx(const Cplx* A, const Cplx* B);
PROBABILITY_API bool Smaller2_Cplx(const Cplx* A, const Cplx* B);
PROBABILITY_API bool Max_Cplx(Cplx* R, const Cplx* A, const Cplx* B);
PROBABILITY_API bool Min_Cplx(Cplx* R, const Cplx* A, const Cplx* B);
PROBABILITY_API void CartToPolar_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void PolarToCart_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Ceil_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Floor_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void CRound_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void CTrunc_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void CFrac_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Rem_Cplx(Cplx* R, const Cplx* A, const Cplx* B);

/* Complex arithmetic. */
PROBABILITY_API void CAdd_Cplx(Cplx* R, const Cplx* A, const Cplx* B);
PROBABILITY_API void CSub_Cplx(Cplx* R, const Cplx* A, const Cplx* B);
PROBABILITY_API void CMul_Cplx(Cplx* R, const Cplx* A, const Cplx* B);
PROBABILITY_API void CDiv_Cplx(Cplx* R, const Cplx* A, const Cplx* B);
PROBABILITY_API void CAdd_CplxDouble(Cplx* R, const Cplx* Z, double X);
PROBABILITY_API void CSub_CplxDouble(Cplx* R, const Cplx* Z, double X);
PROBABILITY_API void CSub_DoubleCplx(Cplx* R, double X, const Cplx* Z);
PROBABILITY_API void CMul_CplxDouble(Cplx* R, const Cplx* Z, double X);
PROBABILITY_API void CDiv_CplxDouble(Cplx* R, const Cplx* Z, double X);
PROBABILITY_API void CSqr_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void CSqrt_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Root_Cplx(Cplx* R, const Cplx* Z, int32_t K, int32_t N);
PROBABILITY_API void IntPower_Cplx(Cplx* R, const Cplx* Z, int32_t N);
PROBABILITY_API void Power_Cplx(Cplx* R, const Cplx* A, const Cplx* B);
PROBABILITY_API void Power_CplxDouble(Cplx* R, const Cplx* Z, double X);
PROBABILITY_API void Power_DoubleCplx(Cplx* R, double X, const Cplx* Z);
PROBABILITY_API void Pythag_Cplx(Cplx* R, const Cplx* A, const Cplx* B);

/* Complex elementary functions. */
PROBABILITY_API void Exp_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Exp2_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Exp10_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Ln_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Log2_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Log10_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void LogN_Cplx(Cplx* R, const Cplx* Base, const Cplx* Z);
PROBABILITY_API void LogN_CplxDouble(Cplx* R, const Cplx* Base, double X);
PROBABILITY_API void LogN_DoubleCplx(Cplx* R, double Base, const Cplx* Z);
PROBABILITY_API void Sin_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Cos_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Tan_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void ArcSin_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void ArcCos_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void ArcTan_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Sinh_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Cosh_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Tanh_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void ArcSinh_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void ArcCosh_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void ArcTanh_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Sec_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Csc_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Cot_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Sech_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Csch_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void Coth_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void ArcSec_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void ArcCsc_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void ArcCot_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void ArcSech_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void ArcCsch_Cplx(Cplx* R, const Cplx* Z);
PROBABILITY_API void ArcCoth_Cplx(Cplx* R, const Cplx* Z);

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

/* The decimal separator is the process locale's when the library loads; a
 * text that does not read with it is tried once more with the other one
 * ("," or "."). Unreadable text throws ProbabilityError with the message
 * "'<text>' is not a valid floating point value"; a walker position below 1
 * throws "Offset < 1". Positions are 1-based character positions.
 *
 * The writers copy characters into Buffer without a terminating zero and
 * return their count; the caller's buffer must be large enough: 64 bytes
 * hold any result of CplxToStr_PChar, FormatCplx_PChar needs at most twice
 * the length of the two formats plus 1600 bytes. */
PROBABILITY_API double StrToVal_PChar(const char* S);
PROBABILITY_API void StrToCplx_PChar(Cplx* R, const char* S);
PROBABILITY_API int32_t CplxToStr_PChar(const Cplx* Z, char* Buffer, int32_t Digits);
PROBABILITY_API int32_t FormatCplx_PChar(const Cplx* Z, char* Buffer, const char* FormatRe,
                                         const char* FormatIm);
PROBABILITY_API double ExtractSample_PChar(const char* S, int32_t* Pos, const char* Sep);
PROBABILITY_API void ExtractCplx_PChar(Cplx* R, const char* S, int32_t* Pos, const char* Sep);

#endif /* PROBABILITY_H */
