#include "units/NumberFormat.h"

#include "units/Errors.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace tubalon {
namespace {

// Digits (no trailing zeros) and decimal exponent E of v = 0.d1d2... * 10^E.
void Decompose(double v, int digits, std::string& mant, int& exp10) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, digits - 1);
    std::string s(buf, res.ptr);
    // s looks like d.dddde+XX or de+XX
    auto e = s.find('e');
    std::string m = s.substr(0, e);
    int x = std::stoi(s.substr(e + 1));
    mant.clear();
    for (char c : m)
        if (c != '.') mant.push_back(c);
    while (mant.size() > 1 && mant.back() == '0')
        mant.pop_back();
    exp10 = x + 1;
}

QString Format(double v, int digits, int maxPlainExp, int minExpDigits) {
    if (!std::isfinite(v)) return std::isnan(v) ? QStringLiteral("NAN") : (v > 0 ? "INF" : "-INF");
    if (v == 0) return QStringLiteral("0");
    std::string out;
    if (v < 0) {
        out.push_back('-');
        v = -v;
    }
    std::string mant;
    int e = 0;
    Decompose(v, digits, mant, e);
    if (e >= -3 && e <= maxPlainExp) {
        if (e <= 0) {
            out += "0.";
            out.append(static_cast<size_t>(-e), '0');
            out += mant;
        } else if (e >= static_cast<int>(mant.size())) {
            out += mant;
            out.append(static_cast<size_t>(e) - mant.size(), '0');
        } else {
            out += mant.substr(0, static_cast<size_t>(e));
            out.push_back('.');
            out += mant.substr(static_cast<size_t>(e));
        }
    } else {
        out.push_back(mant[0]);
        if (mant.size() > 1) {
            out.push_back('.');
            out += mant.substr(1);
        }
        out.push_back('E');
        int x = e - 1;
        if (x < 0) {
            out.push_back('-');
            x = -x;
        }
        std::string xs = std::to_string(x);
        if (static_cast<int>(xs.size()) < minExpDigits)
            xs.insert(0, static_cast<size_t>(minExpDigits) - xs.size(), '0');
        out += xs;
    }
    return QString::fromLatin1(out.c_str());
}

} // namespace

QString FormatFloat15(double v) {
    return Format(v, 15, 15, 1);
}
QString FormatFloat7(double v) {
    return Format(v, 7, 7, 4);
}

QString TrimText(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b].unicode() <= ' ')
        ++b;
    while (e > b && s[e - 1].unicode() <= ' ')
        --e;
    return s.mid(b, e - b);
}

bool TryParseNumber(const QString& s, long double& out) {
    const qsizetype n = s.size();
    if (n == 0 || n > 400) return false;
    std::string a;
    a.reserve(static_cast<size_t>(n));
    qsizetype i = 0;
    auto at = [&](qsizetype k) { return k < n ? s[k].unicode() : 0; };
    if (at(i) == '+' || at(i) == '-') {
        if (at(i) == '-') a.push_back('-');
        ++i;
    }
    int digits = 0;
    while (at(i) >= '0' && at(i) <= '9') {
        a.push_back(static_cast<char>(at(i++)));
        ++digits;
    }
    if (at(i) == '.') {
        a.push_back('.');
        ++i;
        while (at(i) >= '0' && at(i) <= '9') {
            a.push_back(static_cast<char>(at(i++)));
            ++digits;
        }
    }
    if (digits == 0) return false;
    if (at(i) == 'e' || at(i) == 'E') {
        a.push_back('e');
        ++i;
        if (at(i) == '+' || at(i) == '-') a.push_back(static_cast<char>(at(i++)));
        int ed = 0;
        while (at(i) >= '0' && at(i) <= '9') {
            a.push_back(static_cast<char>(at(i++)));
            ++ed;
        }
        if (ed == 0) return false;
    }
    if (i != n) return false;
    long double v = 0;
    const char* first = a.data();
    if (*first == '-') ++first; // from_chars takes no leading sign handling for '+'
    auto res = std::from_chars(first, a.data() + a.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is not a usable number.
        bool tiny = a.find("e-") != std::string::npos;
        if (!tiny) return false;
        v = 0;
    } else if (res.ec != std::errc() || res.ptr != a.data() + a.size()) {
        return false;
    }
    out = a[0] == '-' ? -v : v;
    return std::isfinite(out);
}

long double StrToFloatL(const QString& s) {
    const QString t = TrimText(s);
    long double v = 0;
    if (!TryParseNumber(t, v)) throw EConvertError(t);
    return v;
}

double StrToFloat(const QString& s) {
    const long double v = StrToFloatL(s);
    const double d = static_cast<double>(v);
    if (!std::isfinite(d)) throw EConvertError(TrimText(s));
    return d;
}

int GbkByteLength(const QString& s) {
    int n = 0;
    for (QChar c : s)
        n += c.unicode() < 0x80 ? 1 : 2;
    return n;
}

QString PadToBytes(const QString& s, int bytes) {
    const int len = GbkByteLength(s);
    return len >= bytes ? s : s + QString(bytes - len, QChar(' '));
}

} // namespace tubalon
