#ifndef TESSEL_WEIGHTS_H
#define TESSEL_WEIGHTS_H

namespace tessel {

// Weights of the horizontal overlap, vertical position and height penalties.
struct Weights
{
    double dx = 0.1;
    double y0 = 0.25;
    double h = 0.25;
};

// Share of the secondary parts (scripts, limits) in the height and position terms.
constexpr double kSecondaryFactor = 0.6;
// Share of operators and brackets in the consistency terms.
constexpr double kOperatorFactor = 0.4;

inline double sq(double v)
{
    return v * v;
}

}

#endif
