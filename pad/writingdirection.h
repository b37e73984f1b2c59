#pragma once

// The direction in which a pad's text runs; fixed when the pad is made.
enum class WritingDirection { LeftToRight = 1, RightToLeft = 2 };
