#ifndef TESSEL_POINT_H
#define TESSEL_POINT_H

namespace tessel {

struct Point
{
    double x = 0.0;
    double y = 0.0;
};

}

#endif
