#pragma once

namespace tessel {

struct Point
{
    double x = 0.0;
    double y = 0.0;
};

}
