// The floating-point unit exports and the home of the exception type.
#include "frame.h"

ProbabilityError::~ProbabilityError() = default;

extern "C" {

PROBABILITY_API uint16_t Get8087CW_Word(void) {
    return prob::readControlWord();
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
