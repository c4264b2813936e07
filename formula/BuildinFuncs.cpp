#include "formula/BuildinFuncs.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tubalon {
namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr long double kLimit = 9.99999999E37L;
constexpr long double kLimitTenth = 9.99999999E36L;
const long double kLnLimit = std::log(kLimit);
const long double kSqrtLimit = std::sqrt(kLimit);

using P = TFormulaParser;
using A = TFpArgs;

// The n-th number argument; 0 when a caller handed fewer.
long double X(const A& a, std::size_t i = 0) {
    return i < a.Numbers.size() ? a.Numbers[i] : 0;
}
const std::string& S(const A& a, std::size_t i = 0) {
    static const std::string empty;
    return i < a.Texts.size() ? a.Texts[i] : empty;
}

long double Fail(P& p, int code) {
    p.SetError(code);
    return 0;
}

bool IsInteger(long double q) {
    return std::trunc(q) == q;
}
bool IsOddInteger(long double q) {
    return IsInteger(q) && std::fmod(std::fabs(q), 2.0L) == 1;
}
bool IsTruth(long double v) {
    return v == 0 || v == 1;
}

long double Mean(const A& a) {
    long double s = 0;
    for (long double v : a.Numbers)
        s += v;
    return s / static_cast<long double>(a.Numbers.size());
}

struct Entry {
    const char* Name;
    int Kind;
    const char* Handler;
    TFpHandler Fn;
};

using B = TBuildinFuncs;
const Entry kEntries[] = {
    {"ARCTAN", fkOneArg, "mArctan", &B::mArctan},
    {"COS", fkOneArg, "mCos", &B::mCos},
    {"DEG", fkOneArg, "mDeg", &B::mDeg},
    {"PI", fkNoArgs, "Mpi", &B::Mpi},
    {"RAD", fkOneArg, "mRad", &B::mRad},
    {"SIN", fkOneArg, "mSin", &B::mSin},
    {"TAN", fkOneArg, "mTan", &B::mTan},
    {"AND", fkArgList, "mAnd", &B::mAnd},
    {"FALSE", fkNoArgs, "mFalse", &B::mFalse},
    {"OR", fkArgList, "mIor", &B::mIor},
    {"TRUE", fkNoArgs, "mTrue", &B::mTrue},
    {"XOR", fkTwoArgs, "mXor", &B::mXor},
    {"NOT", fkOneArg, "mNot", &B::mNot},
    {"EXP", fkOneArg, "mExp", &B::mExp},
    {"E", fkNoArgs, "mE", &B::mE},
    {"LN", fkOneArg, "mLn", &B::mLn},
    {"LOG", fkOneArg, "mLog", &B::mLog},
    {"SQR", fkOneArg, "mSqr", &B::mSqr},
    {"SQRT", fkOneArg, "mSqrt", &B::mSqrt},
    {"ABS", fkOneArg, "mAbs", &B::mAbs},
    {"FRAC", fkOneArg, "mFrac", &B::mFrac},
    {"INT", fkOneArg, "mInt", &B::mInt},
    {"MAX", fkArgList, "mMax", &B::mMax},
    {"MIN", fkArgList, "mMin", &B::mMin},
    {"ROUND", fkOneArg, "mRound", &B::mRound},
    {"SGN", fkOneArg, "mSgn", &B::mSgn},
    {"CSC", fkOneArg, "mCsc", &B::mCsc},
    {"SEC", fkOneArg, "mSec", &B::mSec},
    {"COT", fkOneArg, "mCot", &B::mCot},
    {"SINH", fkOneArg, "mSinh", &B::mSinh},
    {"COSH", fkOneArg, "mCosh", &B::mCosh},
    {"TANH", fkOneArg, "mTanh", &B::mTanh},
    {"CSCH", fkOneArg, "mCsch", &B::mCsch},
    {"SECH", fkOneArg, "mSech", &B::mSech},
    {"COTH", fkOneArg, "mCoth", &B::mCoth},
    {"ARCSINH", fkOneArg, "mArcsinh", &B::mArcsinh},
    {"ARCCOSH", fkOneArg, "mArccosh", &B::mArccosh},
    {"ARCTANH", fkOneArg, "mArctanh", &B::mArctanh},
    {"ARCCSCH", fkOneArg, "mArccsch", &B::mArccsch},
    {"ARCSECH", fkOneArg, "mArcsech", &B::mArcsech},
    {"ARCCOTH", fkOneArg, "mArccoth", &B::mArccoth},
    {"AVG", fkArgList, "mAvg", &B::mAvg},
    {"AVGERAGE", fkArgList, "mAverage", &B::mAverage},
    {"STD", fkArgList, "mStd", &B::mStd},
    {"STDEV", fkArgList, "mStdDev", &B::mStdDev},
    {"MEAN", fkArgList, "mMean", &B::mMean},
    {"SUM", fkArgList, "mSum", &B::mSum},
    {"RAND", fkNoArgs, "mRand", &B::mRand},
    {"RND", fkOneArg, "mRnd", &B::mRnd},
    {"LENGTH", fkOneText, "mLength", &B::mLength},
    {"STRCOMP", fkTwoTexts, "mStrComp", &B::mStrComp},
    {"IF", fkArgList, "mIf", &B::mIf},
};

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameText(std::string_view a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size(); ++i)
        if (b[i] == '\0' || Upper(a[i]) != Upper(b[i])) return false;
    return b[i] == '\0';
}

} // namespace

TFpHandler TBuildinFuncs::FindHandler(std::string_view name) const {
    for (const auto& e : kEntries)
        if (SameText(name, e.Handler)) return e.Fn;
    return nullptr;
}

void TBuildinFuncs::RegisterAll(TFormulaParser& parser) const {
    for (const auto& e : kEntries)
        parser.AddFunction(this, e.Name, e.Kind, e.Handler);
}

// ---- trigonometry ----

long double B::mArctan(P&, const A& a) {
    return std::atan(X(a));
}
long double B::mCos(P&, const A& a) {
    return std::cos(X(a));
}
long double B::mSin(P&, const A& a) {
    return std::sin(X(a));
}
long double B::mDeg(P&, const A& a) {
    return X(a) / kPi * 180;
}
long double B::mRad(P&, const A& a) {
    return X(a) / 180 * kPi;
}
long double B::Mpi(P&, const A&) {
    return kPi;
}

long double B::mTan(P& p, const A& a) {
    const long double x = X(a);
    if (IsOddInteger(2 * x / kPi)) return Fail(p, fpTanUndefined);
    return std::sin(x) / std::cos(x);
}

long double B::mCsc(P& p, const A& a) {
    const long double x = X(a);
    if (IsInteger(x / kPi)) return Fail(p, fpCscUndefined);
    return 1 / std::sin(x);
}

long double B::mSec(P& p, const A& a) {
    const long double x = X(a);
    if (IsOddInteger(2 * x / kPi)) return Fail(p, fpSecUndefined);
    return 1 / std::cos(x);
}

long double B::mCot(P& p, const A& a) {
    const long double x = X(a);
    if (IsInteger(x / kPi)) return Fail(p, fpCotUndefined);
    return std::cos(x) / std::sin(x);
}

// ---- truth values ----

long double B::mTrue(P&, const A&) {
    return 1;
}
long double B::mFalse(P&, const A&) {
    return 0;
}

long double B::mNot(P& p, const A& a) {
    const long double x = X(a);
    if (!IsTruth(x)) return Fail(p, fpNotBoolean);
    return x == 0 ? 1 : 0;
}

long double B::mXor(P& p, const A& a) {
    const long double x = X(a, 0), y = X(a, 1);
    if (!IsTruth(x) || !IsTruth(y)) return Fail(p, fpNotBoolean);
    return (x == 1) != (y == 1) ? 1 : 0;
}

long double B::mAnd(P& p, const A& a) {
    for (long double v : a.Numbers)
        if (!IsTruth(v)) return Fail(p, fpNotBoolean);
    for (long double v : a.Numbers)
        if (v != 1) return 0;
    return 1;
}

long double B::mIor(P& p, const A& a) {
    for (long double v : a.Numbers)
        if (!IsTruth(v)) return Fail(p, fpNotBoolean);
    for (long double v : a.Numbers)
        if (v == 1) return 1;
    return 0;
}

// ---- exponentials and logarithms ----

long double B::mE(P&, const A&) {
    return std::exp(1.0L);
}

long double B::mExp(P& p, const A& a) {
    const long double x = X(a);
    if (!(std::fabs(x) < kLnLimit)) return Fail(p, fpOutOfRange);
    return std::exp(x);
}

long double B::mLn(P& p, const A& a) {
    const long double x = X(a);
    if (!(x > 0)) return Fail(p, fpLogDomain);
    return std::log(x);
}

long double B::mLog(P& p, const A& a) {
    const long double x = X(a);
    if (!(x > 0)) return Fail(p, fpLogDomain);
    return std::log(x) / std::log(10.0L);
}

long double B::mSqr(P& p, const A& a) {
    const long double x = X(a);
    if (x == 0) return 0;
    const long double c = 2 * std::log(std::fabs(x));
    if (!(std::fabs(c) < kLnLimit)) return Fail(p, fpOutOfRange);
    return std::exp(c);
}

long double B::mSqrt(P& p, const A& a) {
    const long double x = X(a);
    if (x < 0) return Fail(p, fpSqrtDomain);
    return std::sqrt(x);
}

// ---- rounding ----

long double B::mAbs(P&, const A& a) {
    return std::fabs(X(a));
}
long double B::mInt(P&, const A& a) {
    return std::trunc(X(a));
}
long double B::mFrac(P&, const A& a) {
    return X(a) - std::trunc(X(a));
}
long double B::mSgn(P&, const A& a) {
    return X(a) < 0 ? -1 : 1;
}

long double B::mRound(P&, const A& a) {
    const long double x = X(a);
    return std::fabs(x) < 2147483646.0L ? std::round(x) : x;
}

long double B::mMax(P&, const A& a) {
    long double m = X(a);
    for (long double v : a.Numbers)
        if (v > m) m = v;
    return m;
}

long double B::mMin(P&, const A& a) {
    long double m = X(a);
    for (long double v : a.Numbers)
        if (v < m) m = v;
    return m;
}

// ---- hyperbolic functions, from e^x and e^-x ----

long double B::mSinh(P& p, const A& a) {
    const long double x = X(a);
    if (!(std::fabs(x) <= kLnLimit)) return Fail(p, fpParameterTooLarge);
    return (std::exp(x) - std::exp(-x)) / 2;
}

long double B::mCosh(P& p, const A& a) {
    const long double x = X(a);
    if (!(std::fabs(x) <= kLnLimit)) return Fail(p, fpParameterTooLarge);
    return (std::exp(x) + std::exp(-x)) / 2;
}

long double B::mTanh(P& p, const A& a) {
    const long double x = X(a);
    if (!(std::fabs(x) <= kLnLimit)) return Fail(p, fpParameterTooLarge);
    const long double ep = std::exp(x), em = std::exp(-x);
    return (ep - em) / (ep + em);
}

long double B::mCsch(P& p, const A& a) {
    const long double x = X(a);
    if (!(std::fabs(x) <= kLnLimit)) return Fail(p, fpParameterTooLarge);
    if (x == 0) return Fail(p, fpCschUndefined);
    const long double d = std::exp(x) - std::exp(-x);
    if (d == 0) return Fail(p, fpCschUndefined); // x so small that e^x and e^-x coincide
    return 2 / d;
}

long double B::mSech(P& p, const A& a) {
    const long double x = X(a);
    if (!(std::fabs(x) <= kLnLimit)) return Fail(p, fpParameterTooLarge);
    return 2 / (std::exp(x) + std::exp(-x));
}

long double B::mCoth(P& p, const A& a) {
    const long double x = X(a);
    if (!(std::fabs(x) <= kLnLimit)) return Fail(p, fpParameterTooLarge);
    if (x == 0) return Fail(p, fpCothUndefined);
    const long double ep = std::exp(x), em = std::exp(-x);
    if (ep == em) return Fail(p, fpCothUndefined);
    return (ep + em) / (ep - em);
}

long double B::mArcsinh(P& p, const A& a) {
    const long double x = X(a);
    if (!(std::fabs(x) < kSqrtLimit)) return Fail(p, fpParameterTooLarge);
    return std::log(x + std::sqrt(x * x + 1));
}

long double B::mArccosh(P& p, const A& a) {
    const long double x = X(a);
    if (!(std::fabs(x) < kSqrtLimit)) return Fail(p, fpParameterTooLarge);
    if (x < 1) return Fail(p, fpArccoshDomain);
    return std::log(x + std::sqrt(x * x - 1));
}

long double B::mArctanh(P& p, const A& a) {
    const long double x = X(a);
    if (!(std::fabs(x) < 1)) return Fail(p, fpArctanhDomain);
    return std::log((1 + x) / (1 - x)) / 2;
}

long double B::mArccsch(P& p, const A& a) {
    const long double x = X(a);
    if (!(x < kSqrtLimit)) return Fail(p, fpParameterTooLarge);
    if (x == 0) return Fail(p, fpArccschDomain);
    return std::log(std::sqrt(1 / (x * x) + 1) + 1 / x);
}

long double B::mArcsech(P& p, const A& a) {
    const long double x = X(a);
    if (!(x < kSqrtLimit)) return Fail(p, fpParameterTooLarge);
    if (x <= 0 || x > 1) return Fail(p, fpArcsechDomain);
    return std::log(std::sqrt(1 / (x * x) - 1) + 1 / x);
}

long double B::mArccoth(P& p, const A& a) {
    const long double x = X(a);
    if (!(std::fabs(x) > 1)) return Fail(p, fpArccothDomain);
    return std::log((x + 1) / (x - 1)) / 2;
}

// ---- statistics ----

long double B::mAvg(P& p, const A& a) {
    if (a.Numbers.empty()) return Fail(p, fpAverageEmpty);
    return Mean(a);
}

long double B::mAverage(P& p, const A& a) {
    return mAvg(p, a);
}

long double B::mStd(P& p, const A& a) {
    const std::size_t n = a.Numbers.size();
    if (n < 2) return Fail(p, fpStdDevTooFew);
    const long double m = Mean(a);
    long double s = 0;
    for (long double v : a.Numbers)
        s += (v - m) * (v - m);
    return std::sqrt(s / static_cast<long double>(n - 1));
}

long double B::mStdDev(P& p, const A& a) {
    return mStd(p, a);
}

long double B::mMean(P& p, const A&) {
    return Fail(p, fpNotImplemented);
}

long double B::mSum(P& p, const A& a) {
    long double s = 0;
    for (long double v : a.Numbers) {
        if (!(std::fabs(s / 10 + v / 10) < kLimitTenth))
            p.SetError(fpOutOfRange); // the term is left out
        else
            s += v;
    }
    return s;
}

// ---- random numbers ----

long double B::mRand(P&, const A&) {
    return TFormulaParser::RandomUnit();
}

long double B::mRnd(P& p, const A& a) {
    // The argument as its 15-digit text must read back as a 32-bit whole number.
    const long double x = X(a);
    if (!std::isfinite(x)) return Fail(p, fpRndRange);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15Lg", x);
    const char* s = buf;
    if (*s == '-') ++s;
    if (*s == '\0') return Fail(p, fpRndRange);
    for (const char* c = s; *c; ++c)
        if (*c < '0' || *c > '9') return Fail(p, fpRndRange);
    const long long n = std::strtoll(buf, nullptr, 10);
    if (n < 0 || n > INT_MAX) return Fail(p, fpRndRange); // a negative range is refused too
    return static_cast<long double>(TFormulaParser::RandomBelow(n));
}

// ---- texts ----

long double B::mLength(P&, const A& a) {
    return static_cast<long double>(S(a).size());
}
long double B::mStrComp(P&, const A& a) {
    return S(a, 0) == S(a, 1) ? 1 : 0;
}

// ---- conditional ----

long double B::mIf(P& p, const A& a) {
    if (a.Numbers.size() != 3) return Fail(p, fpIfArguments);
    const long double c = X(a, 0);
    if (!IsTruth(c)) return Fail(p, fpIfCondition);
    return c == 1 ? X(a, 1) : X(a, 2);
}

} // namespace tubalon
