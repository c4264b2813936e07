// Shape of the exchanger and the helical coil's curvature factor, shared by the kernels.
#pragma once

namespace tubalon::kernel {

// Index of ShapeD.
enum class Shape { Straight = 0, Helical = 1, Kettle = 2 };

// A helical coil: on when ShapeD = 1 and both SlD (coil diameter Dc) and DspD (pitch ratio p)
// are filled; otherwise no curvature factor applies.
struct Coil {
    bool on = false;
    double diameter = 0; // Dc, m (SlD)
    double pitch = 0;    // p, multiples of the pipe diameter (DspD)
};

// 1 + 3.5·(1.5 ÷ p)·d ÷ Dc when the coil is on, else 1. what names the result for errors.
double CoilFactor(const Coil& coil, double d, const char* what);

// Developed length of one coil turn √(π²·Dc² + p²·d_o²), with d_o the inner pipe's outer
// diameter.
double TurnLength(const Coil& coil, double innerPipeOuter, const char* what);

} // namespace tubalon::kernel
