#pragma once
#include <cstdint>
#include <string>

// Rounding to a step and number texts for the cost calculation.
//
// Quotients x / step that lie within a few units in the last place of a whole number are taken
// as that whole number, so that a value such as 0.945 (held as 0.94499999999999995) rounds down
// to 0.945 with step 0.001 and not to 0.944. Negative inputs follow the same definitions: RoundDown
// goes toward minus infinity, RoundUp toward plus infinity, f8_45 rounds halves away from zero.

// Largest multiple of step that is not above x.
double RoundDown(double x, double step);
// Smallest multiple of step that is not below x.
double RoundUp(double x, double step);
// x rounded half up (四捨五入) to a multiple of step.
double f8_45(double x, double step);

// x rounded half up to step, as a decimal text with as many decimals as step has (none for 1.0
// and above): only digits, a leading minus and a point, so that it can be pasted into a formula.
std::string NumToStr(double x, double step);

// Converts a double to a 32-bit scaled integer: adds 1e-7 (subtracts it when negative) and
// truncates toward zero. NaN gives 0; values beyond the int32 range saturate at its limits.
int32_t DoubleToLong(double x);
