#include "refdata/Params.h"

#include "refdata/IniFile.h"
#include "units/NumberFormat.h"

#include <QDir>
#include <QFileInfo>

namespace tubalon {

const QString TParamStore::kSection = QStringLiteral("Fittings");
const QString TParamStore::kFileName = QStringLiteral("Params.ini");

const std::vector<ParamRow>& TParamStore::Defaults() {
    static const std::vector<ParamRow> rows = {
        {QStringLiteral("------阻力系数------"), QStringLiteral("ζ：")},
        {paramkey::kAnnulusEntry, QStringLiteral("1.5")},
        {paramkey::kAnnulusExit, QStringLiteral("1.3")},
        {paramkey::kUBend, QStringLiteral("0.35")},
        {QStringLiteral("------缺省流速------"), QStringLiteral("U：")},
        {paramkey::kAnnulusGasVelocity, QStringLiteral("20")},
        {paramkey::kAnnulusLiquidVelocity, QStringLiteral("1.5")},
        {paramkey::kInnerGasVelocity, QStringLiteral("20.0")},
        {paramkey::kInnerLiquidVelocity, QStringLiteral("1.5")},
        {QStringLiteral("--------杂项--------"), QStringLiteral("X：")},
        {paramkey::kBoundaryDensity, QStringLiteral("100")},
        {paramkey::kKettleSpaceTime, QStringLiteral("20")},
        {paramkey::kFilmMethod, QStringLiteral("0")},
        {QString(), QString()},
    };
    return rows;
}

TParamStore::TParamStore() : rows_(Defaults()) {}

QString TParamStore::Value(const QString& key) const {
    for (const ParamRow& r : rows_)
        if (r.key == key) return r.value;
    return QString();
}

double TParamStore::Number(const QString& key) const {
    return StrToFloat(Value(key));
}

bool TParamStore::IsNumberRow(const QString& key) {
    return !key.trimmed().isEmpty() && !key.startsWith(QLatin1Char('-'));
}

QString TParamStore::CheckValue(const QString& key, const QString& text) {
    if (!IsNumberRow(key)) return QString();
    double v = 0;
    try {
        v = StrToFloat(text);
    } catch (const std::exception&) {
        return QStringLiteral("不是有效的数字");
    }
    // Velocities, the boundary density and the space time are divisors or scales and must be
    // positive; the others (loss coefficients) may be zero.
    const bool positive =
        key == paramkey::kAnnulusGasVelocity || key == paramkey::kAnnulusLiquidVelocity ||
        key == paramkey::kInnerGasVelocity || key == paramkey::kInnerLiquidVelocity ||
        key == paramkey::kBoundaryDensity || key == paramkey::kKettleSpaceTime;
    // The method is a choice: 0 picks the correlations by regime, 1 the original formulas.
    if (key == paramkey::kFilmMethod && v != 0 && v != 1) return QStringLiteral("必须为 0 或 1");
    if (positive && !(v > 0)) return QStringLiteral("必须大于 0");
    if (v < 0) return QStringLiteral("不能为负数");
    return QString();
}

void TParamStore::Load(const QString& path) {
    problems_.clear();
    if (!QFileInfo::exists(path)) return;
    const TIniFile ini(path);
    if (!ini.LoadError().isEmpty()) {
        problems_ << ini.LoadError() + QStringLiteral("系统参数全部使用缺省值。");
        return;
    }
    const QString file = QDir::toNativeSeparators(path);
    for (ParamRow& r : rows_) {
        if (r.value.trimmed().isEmpty()) continue;
        const QString absent = QStringLiteral("\n"); // no line holds a line end
        const QString text = ini.ReadString(kSection, r.key, absent);
        if (!IsNumberRow(r.key)) {
            r.value = text == absent ? QString() : text;
        } else if (text == absent) {
            continue; // an older or partial file: the default stays
        } else if (const QString why = CheckValue(r.key, text); !why.isEmpty()) {
            problems_ << QStringLiteral("系统参数文件“%1”中“%2”的值“%3”%4，已使用缺省值 %5。")
                             .arg(file, r.key, text, why, r.value);
        } else {
            r.value = text;
        }
    }
}

void TParamStore::Save(const QString& path) const {
    TIniFile ini(path);
    for (const ParamRow& r : rows_) {
        if (r.key.trimmed().isEmpty()) continue;
        ini.WriteString(kSection, r.key, r.value);
        ini.Flush();
    }
}

} // namespace tubalon
