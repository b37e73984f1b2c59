#pragma once

namespace tessel {

// A template fitted to ink: ink is about scale * template + (tx, ty).
struct TemplateMatch
{
    int templateIndex = 0;
    double cost = 0.0;
    double scale = 1.0;
    double tx = 0.0;
    double ty = 0.0;
};

}
