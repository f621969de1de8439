#include "formix/Rounding.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace formix {

double Floor1(double x) { return std::floor(x * 1.0) * 1.0; }
double Floor2(double x) { return std::floor(x * 10.0) * 0.1; }
double Floor3(double x) { return std::floor(x * 100.0) * 0.01; }
double Floor4(double x) { return std::floor(x * 1000.0) * 0.001; }

double Round1(double x) { return RoundToPlace(x, 0); }
double Round2(double x) { return RoundToPlace(x, -1); }
double Round3(double x) { return RoundToPlace(x, -2); }
double Round4(double x) { return RoundToPlace(x, -3); }

namespace {

constexpr int kImageDigits = 14;

// Value of the decimal text digits × 10^exponent, read as one correctly rounded double.
double DecimalValue(std::string_view digits, int exponent) {
    std::string text(digits);
    text += 'E';
    text += std::to_string(exponent);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

double RoundToPlace(double x, int place) {
    if (!std::isfinite(x) || x == 0.0) {
        return x;
    }
    // |x| to 14 significant digits: "d.ddddddddddddde±X", the value being 0.d0d1...d13 × 10^k.
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x),
                                std::chars_format::scientific, kImageDigits - 1);
    std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    std::string digits;
    digits += text[0];
    digits.append(text.substr(2, kImageDigits - 1));
    size_t e = text.find('e');
    int exponent = 0;
    const char* first = text.data() + e + 1;
    std::from_chars(first + (*first == '+' ? 1 : 0), text.data() + text.size(), exponent);
    const int k = exponent + 1;
    const double sign = x < 0 ? -1.0 : 1.0;

    // The first digit stands at the place 10^(k-1), the last at 10^lo.
    const int lo = k - kImageDigits;
    if (place < lo) {
        place = lo + 1;
    }
    if (k < place) {
        return 0.0;
    }
    if (place == k) {
        return sign * DecimalValue(digits[0] >= '5' ? "1" : "0", k);
    }
    if (place == lo) {
        return sign * DecimalValue(digits, lo);
    }
    // lo < place < k: keep the digits down to the place, and carry on the next one.
    const size_t kept = static_cast<size_t>(k - place);
    double value = DecimalValue(std::string_view(digits).substr(0, kept), place);
    if (digits[kept] >= '5') {
        value += std::pow(10.0, place);
    }
    return sign * value;
}

namespace {

// Rational approximation of gamma on [1, 2] and the asymptotic series above 12 (W. J. Cody).
constexpr std::array<double, 8> kP{-1.71618513886549492533811e+0, 2.47656508055759199108314e+1,
                                   -3.79804256470945635097577e+2, 6.29331155312818442661052e+2,
                                   8.66966202790413211295064e+2,  -3.14512729688483675254357e+4,
                                   -3.61444134186911729807069e+4, 6.64561438202405440627855e+4};
constexpr std::array<double, 8> kQ{-3.08402300119738975254353e+1, 3.15350626979604161529144e+2,
                                   -1.01515636749021914166146e+3, -3.10777167157231109440444e+3,
                                   2.25381184209801510330112e+4,  4.75584627752788110767815e+3,
                                   -1.34659959864969306392456e+5, -1.15132259675553483497211e+5};
constexpr std::array<double, 7> kC{-1.910444077728e-03,          8.4171387781295e-04,
                                   -5.952379913043012e-04,       7.93650793500350248e-04,
                                   -2.777777777777681622553e-03, 8.333333333333333331554247e-02,
                                   5.7083835261e-03};
constexpr double kPi = 3.141592653589793;
constexpr double kTiny = 1e-20;
constexpr double kSeriesFrom = 12.0;
constexpr double kSeriesTo = 1700.0;

}  // namespace

double Gamma(double x) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    if (std::isnan(x) || x == -inf) {
        return nan;
    }
    if (x == inf) {
        return inf;
    }
    double sign = 1.0;
    double fact = 1.0;
    double y = x;
    if (!(x > 0.0)) {
        // Reflection: gamma(x) = -pi / (sin(pi r) * gamma(1 - x)), with the sign of the integer part.
        y = -x;
        const double whole = std::trunc(y);
        const double r = y - whole;
        if (r == 0.0) {
            return nan;  // a pole
        }
        if (std::fmod(whole, 2.0) != 0.0) {
            sign = -1.0;
        }
        fact = -kPi / std::sin(kPi * r);
        y += 1.0;
    }

    double res = 0.0;
    if (y < kTiny) {
        res = 1.0 / y;
    } else if (y <= kSeriesFrom) {
        const double y1 = y;
        int n = 0;
        double z = 0.0;
        if (y < 1.0) {
            z = y;
            y += 1.0;
        } else {
            n = static_cast<int>(y) - 1;
            y -= n;
            z = y - 1.0;
        }
        double xnum = 0.0;
        double xden = 1.0;
        for (size_t i = 0; i < kP.size(); ++i) {
            xnum = (xnum + kP[i]) * z;
            xden = xden * z + kQ[i];
        }
        res = xnum / xden + 1.0;
        if (y > y1) {
            res /= y1;
        } else if (y < y1) {
            for (int i = 0; i < n; ++i) {
                res *= y;
                y += 1.0;
            }
        }
    } else if (y <= kSeriesTo) {
        const double ysq = y * y;
        double sum = kC[6];
        for (size_t i = 0; i < 6; ++i) {
            sum = sum / ysq + kC[i];
        }
        sum = sum / y - y + std::log(6.283185307179586) / 2.0;
        sum += (y - 0.5) * std::log(y);
        res = std::exp(sum);
    } else {
        res = inf;
    }

    res *= sign;
    if (fact != 1.0) {
        res = fact / res;
    }
    if (x == std::trunc(x) && std::isfinite(res)) {
        res = std::round(res);
    }
    return res;
}

}  // namespace formix
