#include "calc/KernelCheck.h"

namespace tubalon::kernel {

void Fail(const char* what, const QString& why) {
    throw ECalcError(QStringLiteral("无法计算%1：%2").arg(QString::fromUtf8(what), why));
}

void RequirePositive(const char* what, const char* name, double v) {
    if (!(std::isfinite(v) && v > 0))
        Fail(what, QStringLiteral("%1必须大于零").arg(QString::fromUtf8(name)));
}

void RequireFinite(const char* what, const char* name, double v) {
    if (!std::isfinite(v))
        Fail(what, QStringLiteral("%1不是有效数值").arg(QString::fromUtf8(name)));
}

double CheckResult(const char* what, double v) {
    if (!std::isfinite(v)) Fail(what, QStringLiteral("输入数据不一致，结果不是有效数值"));
    return v;
}

} // namespace tubalon::kernel
