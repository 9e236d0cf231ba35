// The floating-point unit functions and the start-up promise that loading the
// library leaves the caller's control word alone.
#include "probability.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <dlfcn.h>

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
