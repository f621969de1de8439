#pragma once

// The formula library's only interface to the rest of the program.
//
// Execute values a formula text (numbers, + - * / ^, parentheses, the functions FL1..FL4, RD1..RD4,
// LG, LN, SQRT and others) and returns the result; CheckWord tells whether a formula a user typed
// may be stored (1) or not (0). Both keep no state and may be called from any thread.

#if defined(__GNUC__)
#define FORMIX_API __attribute__((visibility("default")))
#else
#define FORMIX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Value of the formula text; 0.0 for a null pointer or an empty text.
FORMIX_API double Execute(const char* text);

// 1 when the formula text may be stored, else 0 (also for a null pointer).
FORMIX_API int CheckWord(const char* text);

#ifdef __cplusplus
}
#endif
