#pragma once

namespace tessel {

inline double sq(double v)
{
    return v * v;
}

inline double weightedMean(double a, double aw, double b, double bw)
{
    return (a * aw + b * bw) / (aw + bw);
}

// Weights of the horizontal overlap, vertical position and height penalties.
struct Weights
{
    // dx d² for a distance d that should not be negative but is, else 0.
    double shortfall(double d) const { return d < 0 ? dx * sq(d) : 0.0; }
    // dx d² for a distance d that should not be positive but is, else 0.
    double excess(double d) const { return d > 0 ? dx * sq(d) : 0.0; }

    double dx = 0.1;
    double y0 = 0.25;
    double h = 0.25;
};

// Share of the secondary parts (scripts, limits) in the height and position terms.
constexpr double kSecondaryFactor = 0.6;
// Share of operators and brackets in the consistency terms.
constexpr double kOperatorFactor = 0.4;

}
