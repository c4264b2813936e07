// The saturation line of ordinary water by IAPWS-IF97, region 4.
//
// Source: IAPWS, Revised Release on the IAPWS Industrial Formulation 1997 for the
// Thermodynamic Properties of Water and Steam (2007), section 8.1: the saturation-pressure
// equation (30) and the saturation-temperature equation (31) with the coefficients of
// Table 34. Valid from the triple point 273.15 K (611.213 Pa) to the critical point
// 647.096 K (22.064 MPa). Worked values (Tables 35 and 36): ps(300 K) = 3.53658941 kPa,
// ps(500 K) = 2.63889776 MPa, Ts(0.1 MPa) = 372.755919 K, Ts(10 MPa) = 584.149488 K.
#pragma once

namespace tubalon {

constexpr double kIf97TripleK = 273.15;      // lower end of region 4, K
constexpr double kIf97CriticalK = 647.096;   // K
constexpr double kIf97TripleKPa = 0.611213;  // ps at 273.15 K, kPa
constexpr double kIf97CriticalKPa = 22064.0; // kPa

// Saturation pressure in kPa at T in K; valid for 273.15 <= T <= 647.096 (NaN outside).
double If97SaturationPressure(double T);
// Saturation temperature in K at p in kPa; valid for 0.611213 <= p <= 22064 (NaN outside).
double If97SaturationTemperature(double p);

} // namespace tubalon
