#include "model/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace tubalon::model {
namespace {

// Powers of ten exact in long double (5^27 < 2^64).
constexpr long double kPow10[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                  1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L,
                                  1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

// An unsigned decimal already checked against the grammar, read without the library when
// that is exact: up to 19 significant digits are an exact integer and one multiplication or
// division by an exact power of ten rounds once, as a correctly rounded reader does (Clinger,
// "How to read floating point numbers accurately", PLDI 1990). False: use the library.
bool FastDecimal(std::string_view s, long double& out) {
    std::uint64_t mantissa = 0;
    int digits = 0, exp10 = 0;
    bool fraction = false;
    std::size_t i = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '.') {
            fraction = true;
            continue;
        }
        if (c < '0' || c > '9') break;
        if (digits == 0 && c == '0') {
            exp10 -= fraction;
            continue;
        }
        if (digits == 19) return false;
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        ++digits;
        exp10 -= fraction;
    }
    if (i < s.size()) { // the exponent
        ++i;
        bool minus = false;
        if (s[i] == '+' || s[i] == '-') minus = s[i++] == '-';
        if (s.size() - i > 4) return false;
        int e = 0;
        for (; i < s.size(); ++i)
            e = e * 10 + (s[i] - '0');
        exp10 += minus ? -e : e;
    }
    if (mantissa == 0) {
        out = 0;
        return true;
    }
    if (exp10 < -27 || exp10 > 27) return false;
    const auto m = static_cast<long double>(mantissa);
    out = exp10 >= 0 ? m * kPow10[exp10] : m / kPow10[-exp10];
    return true;
}

} // namespace

std::size_t FormatFloat15(double v, char* out) {
    char* p = out;
    if (std::isnan(v)) {
        std::memcpy(out, "NAN", 3);
        return 3;
    }
    if (std::isinf(v)) {
        if (v < 0) *p++ = '-';
        std::memcpy(p, "INF", 3);
        return static_cast<std::size_t>(p - out) + 3;
    }
    if (v == 0) {
        *out = '0';
        return 1;
    }
    if (v < 0) {
        *p++ = '-';
        v = -v;
    }
    // v = d.ddddddddddddddE±x, rounded to 15 significant digits.
    char sci[32];
    const auto r = std::to_chars(sci, sci + sizeof sci, v, std::chars_format::scientific, 14);
    char digits[16];
    int n = 0;
    const char* c = sci;
    for (; c < r.ptr && *c != 'e'; ++c)
        if (*c != '.') digits[n++] = *c;
    while (n > 1 && digits[n - 1] == '0')
        --n;
    int x = 0;
    std::from_chars(c + 1 + (c[1] == '+'), r.ptr, x);
    const int e = x + 1; // v = 0.d1d2... × 10^e
    if (e >= -3 && e <= 15) {
        if (e <= 0) {
            *p++ = '0';
            *p++ = '.';
            for (int i = 0; i < -e; ++i)
                *p++ = '0';
            std::memcpy(p, digits, static_cast<std::size_t>(n));
            p += n;
        } else if (e >= n) {
            std::memcpy(p, digits, static_cast<std::size_t>(n));
            p += n;
            for (int i = n; i < e; ++i)
                *p++ = '0';
        } else {
            std::memcpy(p, digits, static_cast<std::size_t>(e));
            p += e;
            *p++ = '.';
            std::memcpy(p, digits + e, static_cast<std::size_t>(n - e));
            p += n - e;
        }
    } else {
        *p++ = digits[0];
        if (n > 1) {
            *p++ = '.';
            std::memcpy(p, digits + 1, static_cast<std::size_t>(n - 1));
            p += n - 1;
        }
        *p++ = 'E';
        p = std::to_chars(p, out + kFloat15Chars, x).ptr;
    }
    return static_cast<std::size_t>(p - out);
}

std::string_view TrimBlanks(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return s.substr(b, e - b);
}

bool ParseNumber(std::string_view s, long double& out) {
    const std::size_t n = s.size();
    if (n == 0 || n > 400) return false;
    std::size_t i = 0;
    const auto at = [&](std::size_t k) { return k < n ? s[k] : '\0'; };
    const auto digit = [&](std::size_t k) { return at(k) >= '0' && at(k) <= '9'; };
    const bool negative = at(0) == '-';
    if (at(0) == '+' || negative) ++i;
    const std::size_t first = i; // from_chars takes neither sign
    int digits = 0;
    for (; digit(i); ++i)
        ++digits;
    if (at(i) == '.')
        for (++i; digit(i); ++i)
            ++digits;
    if (digits == 0) return false;
    bool tinyPossible = false;
    if (at(i) == 'e' || at(i) == 'E') {
        ++i;
        if (at(i) == '+' || at(i) == '-') tinyPossible = at(i++) == '-';
        const std::size_t expDigits = i;
        while (digit(i))
            ++i;
        if (i == expDigits) return false;
    }
    if (i != n) return false;
    if (FastDecimal(s.substr(first), out)) {
        if (negative) out = -out;
        return true;
    }
    long double v = 0;
    const auto r = std::from_chars(s.data() + first, s.data() + n, v);
    if (r.ec == std::errc::result_out_of_range) {
        if (!tinyPossible) return false; // too large
        v = 0;                           // too small: reads as zero
    } else if (r.ec != std::errc() || r.ptr != s.data() + n) {
        return false;
    }
    out = negative ? -v : v;
    return std::isfinite(out);
}

} // namespace tubalon::model
