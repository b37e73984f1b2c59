#pragma once

#include "tessel/shapetemplate.h"

#include <vector>

namespace tessel {

// The built-in shape templates, built on first use; a record's position is its index.
const std::vector<ShapeTemplate> &templateLibrary();

}
