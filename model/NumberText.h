// Number texts of the case without Qt: the 15-digit form that fields and case files hold,
// and the strict decimal reader. Both use "." whatever the locale.
#pragma once

#include <cstddef>
#include <string_view>

namespace tubalon::model {

// Longest text FormatFloat15 writes ("-1.23456789012345E-308" and the like).
inline constexpr std::size_t kFloat15Chars = 24;

// 15 significant digits; plain notation for decimal exponents -3..15, else d.dddE-x.
// Writes at most kFloat15Chars characters to out and returns how many.
std::size_t FormatFloat15(double v, char* out);

// The text without blanks and control characters at either end.
std::string_view TrimBlanks(std::string_view s);

// Optional sign, digits with an optional ".", optional exponent ("e" or "E", optional sign,
// digits), and nothing else; at most 400 characters. An exponent too small to represent reads
// as zero; anything that is not a finite number is refused (false).
bool ParseNumber(std::string_view s, long double& out);

} // namespace tubalon::model
