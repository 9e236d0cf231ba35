/* probability.h: the exported functions of libprobability.so.
 *
 * Every entry point is a plain C symbol. Doubles travel by value; complex
 * numbers travel as pointers to Cplx records, and a function with a complex
 * result takes the caller's result record as its first parameter.
 * Arithmetic inside is done in 80-bit extended precision and rounded to
 * double only on return.
 */
#ifndef PROBABILITY_H
#define PROBABILITY_H

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

/* ---- Floating-point unit ------------------------------------------------ */

/* ---- Constants, tests and elementary functions -------------------------- */

/* ---- Special functions --------------------------------------------------- */

/* ---- Distributions ------------------------------------------------------- */

/* ---- Number and complex text --------------------------------------------- */

#endif /* PROBABILITY_H */
