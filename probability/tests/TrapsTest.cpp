// Domain errors are left to the x87 unit under the caller's control word:
// masked they give a NaN, unmasked they raise SIGFPE inside the function.
#include "probability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>

// AddressSanitizer handles SIGFPE itself: it reports the "FPE" with the
// faulting frame and exits with status 1 instead of dying by the signal.
#if defined(__SANITIZE_ADDRESS__)
#define PROBABILITY_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PROBABILITY_UNDER_ASAN 1
#endif
#endif

#ifdef PROBABILITY_UNDER_ASAN
#define EXPECT_SIGFPE(statement) EXPECT_EXIT(statement, ::testing::ExitedWithCode(1), "FPE")
#else
#define EXPECT_SIGFPE(statement) EXPECT_EXIT(statement, ::testing::KilledBySignal(SIGFPE), "")
#endif

namespace {

class ControlWordTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = Get8087CW_Word(); }
    void TearDown() override { Set8087CW_Word(saved_); }

private:
    uint16_t saved_ = 0;
};

TEST_F(ControlWordTest, RecommendedWordTurnsInvalidArcSinIntoNan) {
    Set8087CW_Word(ProMathCW_Word());
    EXPECT_TRUE(std::isnan(ArcSin_Double(2)));
    EXPECT_TRUE(std::isnan(ArcSin_Double(1.0000000000000002)))
        << "a hair above 1, as rounding gives near the poles";
    EXPECT_EQ(Get8087CW_Word(), 0x133F) << "the call leaves the control word alone";
}

TEST_F(ControlWordTest, MaskedDomainErrorsGiveNanOrInfinity) {
    Set8087CW_Word(ProMathCW_Word());
    EXPECT_TRUE(std::isnan(Ln_Double(-1)));
    EXPECT_EQ(Ln_Double(0), -INFINITY);
    EXPECT_EQ(Exp_Double(1e4), INFINITY);
    EXPECT_TRUE(std::isnan(Power_Double(-2, 0.5)));
}

// In a child process: the parent's control word stays as it was.
void arcSinWithInvalidUnmasked() {
    Set8087CW_Word(0x1332); // invalid, zero-divide and overflow enabled
    volatile double result = ArcSin_Double(2);
    (void)result;
    std::_Exit(0); // not reached when the trap fires
}

TEST(Traps, UnmaskedInvalidOperationRaisesSigfpeInsideArcSin) {
    EXPECT_SIGFPE(arcSinWithInvalidUnmasked());
}

void lnOfZeroWithZeroDivideUnmasked() {
    Set8087CW_Word(0x1332);
    volatile double result = Ln_Double(0);
    (void)result;
    std::_Exit(0);
}

TEST(Traps, UnmaskedZeroDivideRaisesSigfpeInsideLn) {
    EXPECT_SIGFPE(lnOfZeroWithZeroDivideUnmasked());
}

void validArcSinWithTrapsEnabled() {
    Set8087CW_Word(0x1332);
    const bool right = ArcSin_Double(0.5) == 0.5235987755982989 && ArcSin_Double(1) == 1.5707963267948966;
    std::_Exit(right ? 0 : 1);
}

TEST(Traps, ArgumentsInsideTheDomainDoNotTrap) {
    EXPECT_EXIT(validArcSinWithTrapsEnabled(), ::testing::ExitedWithCode(0), "");
}

// Finite answers whose formulas pass through an overflowing or infinite
// intermediate (sinh 20000, x^2 for x near the top of the range, 1/x of a
// subnormal) come back without a trap: only a domain error may raise.
void finiteAnswersWithTrapsEnabled() {
    Set8087CW_Word(0x1332);
    const bool right = Csch_Double(20000) == 0 && std::signbit(Csch_Double(-20000)) &&
                       Sech_Double(-20000) == 0 && Tanh_Double(20000) == 1 && Coth_Double(-20000) == -1 &&
                       ArcSinh_Double(1.7976931348623157e308) == 710.475860073944 &&
                       ArcCosh_Double(1.7976931348623157e308) == 710.475860073944 &&
                       ArcCoth_Double(1e308) == 1e-308 && ArcCsch_Double(1e-310) == 714.4945260087142 &&
                       ArcSec_Double(1.7976931348623157e308) == 1.5707963267948966 &&
                       Sin_Double(1e300) == -0.8178819121159086 && Rem_Double(1e300, 7) == 1;
    std::_Exit(right ? 0 : 1);
}

TEST(Traps, FiniteAnswersDoNotTrapOnTheWay) {
    EXPECT_EXIT(finiteAnswersWithTrapsEnabled(), ::testing::ExitedWithCode(0), "");
}

// The same for the distributions: a hypergeometric sum that reaches its
// lowest count, a negative-binomial coefficient of about 10^6000, and
// occupation numbers of e^-16000.
void finiteDistributionAnswersWithTrapsEnabled() {
    Set8087CW_Word(0x1332);
    // P(X <= 0) = C(28, 10) / C(30, 10) = (20 * 19) / (30 * 29) = 38/87.
    const double hyper = HypGeometricCDF_Double(0.5, 30, 2, 10);
    // C(2n - 1, n - 1) / 2^(2n) = C(2n, n) / (2 * 4^n) for n = 10^4, by the
    // expansion 1/sqrt(pi n) (1 - 1/(8n) + 1/(128 n^2)) / 2.
    const double n = 1e4, central = (1 - 1 / (8 * n) + 1 / (128 * n * n)) / std::sqrt(M_PI * n) / 2;
    const double negBinom = NegBinomPDF_Double(10000, 0.5, 10000);
    const bool right = std::fabs(hyper - 38.0 / 87) < 1e-16 && std::fabs(negBinom / central - 1) < 1e-13 &&
                       BoseEinsteinPDF_Double(800, 20) == 0 && FermiDiracPDF_Double(800, 20, 0) == 0;
    std::_Exit(right ? 0 : 1);
}

TEST(Traps, FiniteDistributionAnswersDoNotTrapOnTheWay) {
    EXPECT_EXIT(finiteDistributionAnswersWithTrapsEnabled(), ::testing::ExitedWithCode(0), "");
}

} // namespace
