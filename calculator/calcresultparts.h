#pragma once

#include "model/segment.h"

// The outermost segments of the tree whose ink lies wholly within ink, in tree order.
QList<Segment> collectResultSegments(const Segment &segment, const InkRange &ink);
