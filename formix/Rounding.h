#pragma once

namespace formix {

// FL1..FL4: cut down to 1, 0.1, 0.01, 0.001 in binary doubles: floor(x * 10^n) * 10^-n with the
// product and the factor as doubles, no decimal correction (Floor3(1.15) is 114 * 0.01).
double Floor1(double x);
double Floor2(double x);
double Floor3(double x);
double Floor4(double x);

// RD1..RD4: half away from zero to 1, 0.1, 0.01, 0.001 on the value's 14-significant-digit
// decimal image (Round3(1.005) is 1.01); the carry is added as a double.
double Round1(double x);
double Round2(double x);
double Round3(double x);
double Round4(double x);

// x rounded half away from zero at the decimal place 10^place, judged on its 14-digit decimal image.
// A place below the 14 digits moves up to the place of the 13th digit. Infinities and NaN are
// returned unchanged.
double RoundToPlace(double x, int place);

// The gamma function. Whole-number arguments give whole numbers (rounded to nearest), poles
// (0, -1, -2, ...) give NaN, overflow gives +infinity.
double Gamma(double x);

}  // namespace formix
