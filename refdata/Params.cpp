#include "refdata/Params.h"

#include "refdata/IniFile.h"
#include "units/NumberFormat.h"

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

void TParamStore::Load(const QString& path) {
    if (!QFileInfo::exists(path)) return;
    const TIniFile ini(path);
    for (ParamRow& r : rows_) {
        if (r.value.trimmed().isEmpty()) continue;
        r.value =
            ini.ReadString(kSection, r.key, r.key == paramkey::kFilmMethod ? r.value : QString());
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
