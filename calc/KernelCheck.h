// Checks shared by the engineering kernels: every failure becomes an ECalcError whose
// message names the result that could not be computed and why.
#pragma once

#include "units/Errors.h"

#include <cmath>

namespace tubalon::kernel {

constexpr double kPi = 3.14159265358979323846;
// Rounds of every iteration of the kernels.
constexpr int kMaxRounds = 200;

// "无法计算<what>：<why>".
[[noreturn]] void Fail(const char* what, const QString& why);

// v must be a finite number above zero; name is the input's caption.
void RequirePositive(const char* what, const char* name, double v);
// v must be a finite number (zero and negative allowed).
void RequireFinite(const char* what, const char* name, double v);
// The result itself must be finite; returns it.
double CheckResult(const char* what, double v);

} // namespace tubalon::kernel
