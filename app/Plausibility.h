// Plausibility of a case's inputs: values no exchanger can have are refused, values far
// outside practice are warned about. Plain functions of SI values, by the case's field names.
#pragma once

#include <QString>
#include <QStringView>
#include <limits>

namespace tubalon::plausibility {

inline constexpr double kAbsoluteZero = -273.15; // °C
inline constexpr double kMinLength = 1e-6;       // m: 1 µm
inline constexpr double kMaxLength = 1e4;        // m: 10 km
inline constexpr double kMaxFouling = 0.1;       // m²·K/W
inline constexpr double kMaxPasses = 10000;

enum class Verdict { Ok, Warn, Refuse };

struct Finding {
    Verdict verdict = Verdict::Ok;
    QString reason; // "等于或低于绝对零度（-273.15 °C）", empty when Ok
};

enum class Rule {
    None,
    Temperature, // °C, above absolute zero
    Length,      // pipe lengths and diameters, 1 µm to 10 km
    Thickness,   // insulation: 0 (none) or 1 µm to 10 km
    Roughness,   // 0 to 10 km, warned above the flow passage's radius
    Fouling,     // not negative, warned above 0.1 m²·K/W
    Passes       // passes or coil turns: above 0, at most 10 000
};

// The rule of a case field: Tr1D, Tr2D, Tt1D, Tt2D, TaD temperatures; SlD, dooD, doiD, dioD,
// diiD lengths; BpD thickness; ErD, EtD roughness; RsD, RtD fouling; mD passes.
Rule RuleOf(QStringView field);

// Checks an SI value. radius is the radius of the flow passage in m for Roughness (NaN when
// the diameters are not known yet).
Finding Check(Rule rule, double si, double radius = std::numeric_limits<double>::quiet_NaN());

} // namespace tubalon::plausibility
