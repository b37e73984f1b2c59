#ifndef SCRIVEL_MODEL_SEGMENTWALK_H
#define SCRIVEL_MODEL_SEGMENTWALK_H

#include "model/segment.h"

// The candidate with the ink divided over its children by label length:
// each UTF-16 unit of a child's label takes one stroke range.
ResultNode spreadInkOverChildren(const ResultNode &node, const InkRange &ink);

#endif
