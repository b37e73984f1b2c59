#pragma once

// Registers the model values that cross queued connections under their
// names: GestureSet, Segment, InkRange, InkLocation, RecognitionResult.
// Safe to call more than once, from any thread.
void registerModelMetaTypes();
