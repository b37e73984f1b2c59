#pragma once

#include "keyboard/keybehavior.h"

#include <cstddef>
#include <cstdint>

#include <expat.h>

struct Key;
struct Keyboard;
struct KeyboardLayout;
struct KeyVariant;
struct List;

// Reads a keyboard layout document into a Keyboard and reports layouts,
// rows and keys to its listeners while it reads. Errors and warnings go to
// standard error; an error stops the parse.
struct KeyboardLayoutParser {
    XML_Parser expat;
    List *layoutBeginListeners;
    List *layoutEndListeners;
    List *rowBeginListeners;
    List *rowEndListeners;
    List *keyBeginListeners;
    List *keyAddedListeners;
    List *actionParsers;

    Keyboard *target;
    int depth;            // of the element being read
    int keyboardDepth;    // depth of each element in hand, 0 for none
    int templatesDepth;
    int defaultsDepth;
    int rowDepth;
    int layoutDepth;
    int keyDepth;
    int variantDepth;

    KeyboardLayout *layout;
    char *layoutId;
    char *layoutClass;
    char *rowId;
    char *rowClass;
    List *templates;      // template keys by id
    Key *key;
    char *keyId;
    char *keyClass;
    KeyVariant *variant;
    char *variantId;

    KeyBehavior behavior; // working behaviour of the current key
    bool behaviorInUse;
    uint8_t variantIndex;
    bool stopped;
};

using LayoutBeginListener = bool (*)(KeyboardLayoutParser *parser, const char *id,
                                     const char *className, void *userValue);
using LayoutEndListener = bool (*)(KeyboardLayoutParser *parser, const char *id,
                                   const char *className, KeyboardLayout *layout, void *userValue);
using RowListener = bool (*)(KeyboardLayoutParser *parser, const char *id, const char *className,
                             void *userValue);
using KeyBeginListener = bool (*)(KeyboardLayoutParser *parser, const char *id,
                                  const char *className, void *userValue);
using KeyAddedListener = bool (*)(KeyboardLayoutParser *parser, const char *id,
                                  const char *className, Key *key, void *userValue);
using ActionParser = bool (*)(KeyboardLayoutParser *parser, Key *key, KeyVariant *variant,
                              const char *action, void *userValue);

KeyboardLayoutParser *keyboardLayoutParserCreate();
void keyboardLayoutParserFree(KeyboardLayoutParser *parser);

bool parserAddLayoutBeginListener(KeyboardLayoutParser *parser, LayoutBeginListener function,
                                  void *userValue);
bool parserAddLayoutEndListener(KeyboardLayoutParser *parser, LayoutEndListener function,
                                void *userValue);
bool parserAddRowBeginListener(KeyboardLayoutParser *parser, RowListener function, void *userValue);
bool parserAddRowEndListener(KeyboardLayoutParser *parser, RowListener function, void *userValue);
bool parserAddKeyBeginListener(KeyboardLayoutParser *parser, KeyBeginListener function,
                               void *userValue);
bool addListener(KeyboardLayoutParser *parser, KeyAddedListener function, void *userValue);
bool parserAddActionParser(KeyboardLayoutParser *parser, ActionParser function, void *userValue);

bool keyboardLayoutParserParse(KeyboardLayoutParser *parser, Keyboard *keyboard, const char *bytes,
                               size_t length);
