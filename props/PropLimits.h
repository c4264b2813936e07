// Where a library record's data hold: its temperature range (and, for gases and vapours,
// its pressure range), its phase and its saturation line; the check of a (t, p) against
// them that precedes every calculation of the record.
//
// Texts of the fields TR, PR, PH and VP:
//   TR  "t1~t2"       degC, t1 < t2; empty: the range of the record's tables
//   PR  "p1~p2"       kPa, 0 <= p1 < p2; empty: no pressure range
//   PH  "液相" / "气相" the phase the record describes; empty: not stated
//   VP  "IAPWS-IF97"  water's saturation line by IAPWS-IF97, region 4
//       "t,p;t,p;..." a vapour-pressure table, degC and kPa, t ascending, up to the
//                     critical point; interpolated as ln p against 1/T
#pragma once

#include <QString>
#include <optional>

namespace tubalon {

struct TPropRecord;

struct TRange {
    double lo = 0, hi = 0;
};

enum class TPhase { Unstated, Liquid, Vapour };

struct TPropLimits {
    std::optional<TRange> t;  // degC
    bool tFromTables = false; // TR empty: the range common to the record's tables
    std::optional<TRange> p;  // kPa
    TPhase phase = TPhase::Unstated;
    QString saturation; // VP, trimmed; empty when there is none
};

// Raises Error naming the field when TR, PR, PH or VP cannot be read.
void CheckLimitTexts(const TPropRecord& r);
// The limits of a record (Error as CheckLimitTexts). A table that cannot be read does not
// narrow the range (its cell fails on its own when calculated).
TPropLimits RecordLimits(const TPropRecord& r);

// "0–200 ℃", with "，1–1000 kPa" when there is a pressure range; empty without a range.
QString RangeText(const TPropLimits& limits);

// Saturation temperature (degC) at p (kPa) and saturation pressure (kPa) at t (degC) from a
// VP text; NaN where the line does not reach (above the critical point, below the data).
double SaturationTemperature(const QString& vp, double p);
double SaturationPressure(const QString& vp, double t);

// Within this distance of the saturation temperature both phases are accepted.
constexpr double kSaturationToleranceK = 0.1;

struct TConditions {
    enum class Kind {
        InRange,    // go on
        OutOfRange, // compute and show, marked, with the message as the warning
        Refused,    // compute nothing: the message says why (phase, missing pressure)
    };
    Kind kind = Kind::InRange;
    QString message;
};

// The check of t (degC) and p (kPa) given as the texts of the values table. Raises
// EConvertError for a t or p that is needed and is not a number, Error for limit texts
// that cannot be read.
TConditions CheckConditions(const TPropRecord& r, const QString& t, const QString& p);

} // namespace tubalon
