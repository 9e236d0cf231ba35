// The floating-point unit exports.
#include "frame.h"

extern "C" {

// Bit 6 and bits 13-15 of the control word are reserved. Current processors
// read bit 6 back as 1 whatever was loaded (0x1332 reads as 0x1372), so the
// reserved bits are reported clear: Get8087CW_Word returns exactly the word
// that Set8087CW_Word loaded, and compares equal to ProMathCW_Word after
// Set8087CW_Word(ProMathCW_Word()).
PROBABILITY_API uint16_t Get8087CW_Word(void) {
    return prob::readControlWord() & 0x1F3F;
}

PROBABILITY_API void Set8087CW_Word(uint16_t CW) {
    // Flags left pending under the old word would fire at the first x87
    // instruction once their exception is unmasked.
    prob::clearExceptionFlags();
    prob::loadControlWord(CW);
}

PROBABILITY_API uint16_t ProMathCW_Word(void) {
    return prob::ProMathControlWord;
}

PROBABILITY_API void ClearFPU(void) {
    prob::clearExceptionFlags();
}

} // extern "C"
