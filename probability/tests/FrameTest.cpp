// The floating-point unit functions, the start-up promise that loading the
// library leaves the caller's control word alone, and the frame's constants.
#include "../src/frame.h"
#include "probability.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <dlfcn.h>
#include <thread>

namespace {

uint16_t currentControlWord() {
    uint16_t cw = 0;
    asm volatile("fnstcw %0" : "=m"(cw));
    return cw;
}

uint16_t currentStatusWord() {
    uint16_t sw = 0;
    asm volatile("fnstsw %0" : "=m"(sw));
    return sw;
}

// Puts the thread's control word back whatever a test did to it.
class FpuTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = currentControlWord(); }
    void TearDown() override { Set8087CW_Word(saved_); }

private:
    uint16_t saved_ = 0;
};

TEST_F(FpuTest, ProMathControlWordMasksEverythingAtExtendedPrecision) {
    EXPECT_EQ(ProMathCW_Word(), 0x133F);
    EXPECT_EQ(ProMathCW_Word(), 4927);
}

TEST_F(FpuTest, SetThenGetReturnsTheLoadedWord) {
    for (uint16_t cw : {uint16_t{0x133F}, uint16_t{0x1332}, uint16_t{0x033F}, uint16_t{0x0F3F}}) {
        Set8087CW_Word(cw);
        EXPECT_EQ(Get8087CW_Word(), cw);
        // The unit reads the reserved bit 6 back as set.
        EXPECT_EQ(currentControlWord() & ~0x40, cw) << "the unit itself holds the word";
    }
}

TEST_F(FpuTest, ClearFpuClearsFlagsAndKeepsTheControlWord) {
    Set8087CW_Word(ProMathCW_Word());
    volatile long double zero = 0.0L;
    volatile long double r = 1.0L / zero; // division by zero, masked
    (void)r;
    ASSERT_NE(currentStatusWord() & 0x04, 0) << "the zero-divide flag was raised";
    ClearFPU();
    EXPECT_EQ(currentStatusWord() & 0x3F, 0);
    EXPECT_EQ(Get8087CW_Word(), 0x133F);
}

TEST_F(FpuTest, SetClearsPendingFlagsBeforeUnmasking) {
    Set8087CW_Word(ProMathCW_Word());
    volatile long double minusOne = -1.0L;
    volatile long double r = __builtin_sqrtl(minusOne); // invalid, masked
    (void)r;
    // With the invalid flag still pending, unmasking it would trap at the
    // next x87 instruction; Set8087CW_Word clears it first.
    Set8087CW_Word(0x1332);
    EXPECT_EQ(currentStatusWord() & 0x3F, 0);
    volatile long double fine = 2.0L;
    EXPECT_EQ(fine * fine, 4.0L);
}

TEST(LibraryLoading, DlopenLeavesTheCallersControlWordAlone) {
    const uint16_t before = currentControlWord();
    void* handle = dlopen(PROBABILITY_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    EXPECT_EQ(currentControlWord(), before);
    auto get = reinterpret_cast<uint16_t (*)()>(dlsym(handle, "Get8087CW_Word"));
    ASSERT_NE(get, nullptr);
    EXPECT_EQ(get(), before & 0x1F3F) << "reported without the reserved bits";
    dlclose(handle);
}

} // namespace

namespace {

TEST(ControlWordPerThread, AnotherThreadKeepsItsOwnWord) {
    const uint16_t mine = Get8087CW_Word();
    uint16_t seenByOther = 0;
    std::thread other([&] {
        Set8087CW_Word(0x0F3F); // round toward zero, in that thread only
        seenByOther = Get8087CW_Word();
    });
    other.join();
    EXPECT_EQ(seenByOther, 0x0F3F);
    EXPECT_EQ(Get8087CW_Word(), mine);
}

TEST(ControlWordPerThread, RoundingFunctionsRestoreTheCallersWord) {
    const uint16_t saved = Get8087CW_Word();
    Set8087CW_Word(0x073F); // round down
    const Cplx z{-1.7, 2.5};
    Cplx r;
    CTrunc_Cplx(&r, &z);
    EXPECT_EQ(r.Re, -1.0);
    EXPECT_EQ(r.Im, 2.0);
    CRound_Cplx(&r, &z);
    EXPECT_EQ(r.Re, -2.0);
    EXPECT_EQ(r.Im, 2.0) << "ties to even whatever the caller's rounding mode";
    EXPECT_EQ(Frac_Double(-2.75), -0.75);
    EXPECT_EQ(Get8087CW_Word(), 0x073F);
    Set8087CW_Word(saved);
}

TEST(FrameConstants, TableValuesAndBitPatterns) {
    EXPECT_EQ(prob::PiValue, 3.141592653589793);
    EXPECT_EQ(prob::HalfPiValue * 2, prob::PiValue);
    EXPECT_EQ(prob::EpsilonValue, 2.220446049250313e-16);
    EXPECT_EQ(prob::MinNormalValue, 2.2250738585072014e-308);
    EXPECT_EQ(std::bit_cast<uint64_t>(prob::NanValue), UINT64_C(0x7FF8000000000000));
    EXPECT_EQ(std::bit_cast<uint64_t>(prob::InfValue), UINT64_C(0x7FF0000000000000));
    EXPECT_EQ(prob::ProMathControlWord, 0x133F);
    EXPECT_EQ(prob::FactorialTable[0], 1.0);
    EXPECT_EQ(prob::FactorialTable[10], 3628800.0);
    EXPECT_EQ(prob::FactorialTable[20], 2432902008176640000.0);
    EXPECT_NEAR(prob::FactorialTable[30], 2.652528598121910e32, 1e18);
}

} // namespace
