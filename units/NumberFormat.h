// Number texts: the 15-digit form written into fields and files, the 7-digit display
// form, and the strict decimal reader. All use "." whatever the locale.
#pragma once

#include <QString>

namespace tubalon {

// 15 significant digits; plain notation for exponents -3..15, else d.dddE-x.
QString FormatFloat15(double v);
// 7 significant digits; plain for exponents -3..7, else d.ddddddE-000x.
QString FormatFloat7(double v);

// Removes blanks and control characters from both ends.
QString TrimText(const QString& s);

// Reads optional sign, digits with an optional ".", optional exponent; nothing else.
// Returns false for anything else (including an empty text).
bool TryParseNumber(const QString& s, long double& out);

// Trims, then reads as above; raises EConvertError with the trimmed text on failure.
long double StrToFloatL(const QString& s);
double StrToFloat(const QString& s);

// Number of bytes the text takes in GBK (a Chinese character counts two).
int GbkByteLength(const QString& s);
// The text padded with blanks to the given GBK byte width (never cut).
QString PadToBytes(const QString& s, int bytes);

} // namespace tubalon
