#pragma once

// The direction in which a language is written and a pad's text runs.
enum class WritingDirection { LeftToRight = 1, RightToLeft = 2 };
