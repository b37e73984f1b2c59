#pragma once

#include "model/recognitionresult.h"

#include <QFlags>

// Options of respaceResult.
enum RespaceOption {
    SplitStandAloneCharacters = 0x1, // words holding a stand-alone character: one word per character
    StripSeparatorInk = 0x2,         // separators lose their ink
    TypeSeparatorInk = 0x4,          // ink-less separators get typed ink
    EnsureTrailingSpace = 0x8,       // with 0x4 or 0x2: a space after a last word that is none
    DropTrailing = 0x10,             // trailing separators and ink-less words
    DropLeading = 0x20,              // leading separators and ink-less words
    CollapseSeparators = 0x40,
    NewLinesToSpaces = 0x80,         // with 0x4 or 0x2; dropped after CJK text
    WidenPunctuation = 0x100,        // ASCII punctuation after CJK text
    MirrorBrackets = 0x200
};
Q_DECLARE_FLAGS(RespaceOptions, RespaceOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(RespaceOptions)

// The words of r normalised as the options ask; r itself when nothing
// changes. The result's root holds the words directly.
RecognitionResult respaceResult(const RecognitionResult &r, RespaceOptions options);
