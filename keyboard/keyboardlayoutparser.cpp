#include "keyboard/keyboardlayoutparser.h"

#include "keyboard/key.h"
#include "keyboard/keyboard.h"
#include "keyboard/keyboardlayout.h"
#include "keyboard/keyvariant.h"
#include "keyboard/layoutactions.h"
#include "keyboard/list.h"
#include "keyboard/listener.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace {

enum class Element { Keyboard, Layout, Templates, Defaults, Row, Key, Variant, Other };

struct TemplateKey {
    char *id;
    char *className;
    Key *key;
};

struct NameAndClass {
    KeyboardLayoutParser *parser;
    const char *id;
    const char *className;
    void *record;
};

struct ActionArguments {
    KeyboardLayoutParser *parser;
    Key *key;
    KeyVariant *variant;
    const char *action;
};

void startElement(void *data, const XML_Char *name, const XML_Char **attributes);
void endElement(void *data, const XML_Char *name);

Element elementOf(const char *name)
{
    static const struct {
        const char *name;
        Element element;
    } elements[] = {
        {"keyboard", Element::Keyboard}, {"layout", Element::Layout},
        {"templates", Element::Templates}, {"defaults", Element::Defaults},
        {"row", Element::Row}, {"key", Element::Key}, {"variant", Element::Variant},
    };
    for (const auto &entry : elements) {
        if (strcasecmp(name, entry.name) == 0)
            return entry.element;
    }
    return Element::Other;
}

const char *attribute(const XML_Char **attributes, const char *name)
{
    for (int i = 0; attributes[i]; i += 2) {
        if (strcasecmp(attributes[i], name) == 0)
            return attributes[i + 1];
    }
    return nullptr;
}

void replaceString(char **field, const char *value)
{
    std::free(*field);
    *field = keyboardStringCopy(value);
}

void report(KeyboardLayoutParser *parser, const char *kind, const char *message, bool withLine)
{
    std::fprintf(stderr, "KeyboardLayoutParser %s", kind);
    if (withLine)
        std::fprintf(stderr, " at line %lu",
                     static_cast<unsigned long>(XML_GetCurrentLineNumber(parser->expat)));
    if (message)
        std::fprintf(stderr, ": %s\n", message);
    std::fprintf(stderr, "\n");
    std::fflush(stderr);
}

void warning(KeyboardLayoutParser *parser, const char *message)
{
    report(parser, "warning", message, true);
}

void error(KeyboardLayoutParser *parser, const char *message)
{
    report(parser, "error", message, true);
    parser->stopped = true;
    XML_SetElementHandler(parser->expat, nullptr, nullptr);
    XML_StopParser(parser->expat, XML_FALSE);
}

void freeTemplateKey(void *value)
{
    auto *entry = static_cast<TemplateKey *>(value);
    std::free(entry->id);
    std::free(entry->className);
    keyFree(entry->key);
    std::free(entry);
}

const TemplateKey *findTemplate(const KeyboardLayoutParser *parser, const char *id)
{
    for (ListNode *node = parser->templates ? parser->templates->head : nullptr; node; node = node->next) {
        auto *entry = static_cast<TemplateKey *>(node->value);
        if (std::strcmp(entry->id, id) == 0)
            return entry;
    }
    return nullptr;
}

void clearVariant(KeyboardLayoutParser *parser)
{
    keyVariantFree(parser->variant);
    parser->variant = nullptr;
    replaceString(&parser->variantId, nullptr);
    parser->variantDepth = 0;
}

void clearKey(KeyboardLayoutParser *parser)
{
    keyFree(parser->key);
    parser->key = nullptr;
    replaceString(&parser->keyId, nullptr);
    replaceString(&parser->keyClass, nullptr);
    parser->keyDepth = 0;
    parser->behaviorInUse = false;
}

void clearRow(KeyboardLayoutParser *parser)
{
    replaceString(&parser->rowId, nullptr);
    replaceString(&parser->rowClass, nullptr);
    parser->rowDepth = 0;
}

void clearLayout(KeyboardLayoutParser *parser)
{
    keyboardLayoutFree(parser->layout);
    parser->layout = nullptr;
    replaceString(&parser->layoutId, nullptr);
    replaceString(&parser->layoutClass, nullptr);
    parser->layoutDepth = 0;
}

// Frees everything a parse left in hand, so that the parser can read again.
void resetParseState(KeyboardLayoutParser *parser)
{
    clearVariant(parser);
    clearKey(parser);
    clearRow(parser);
    clearLayout(parser);
    listFree(parser->templates, freeTemplateKey);
    parser->templates = nullptr;
    parser->target = nullptr;
    parser->depth = parser->keyboardDepth = parser->templatesDepth = parser->defaultsDepth = 0;
    keyBehaviorClear(&parser->behavior);
    parser->variantIndex = 0;
    parser->stopped = false;
}

bool callNamed(const Listener *listener, void *arguments)
{
    auto *named = static_cast<NameAndClass *>(arguments);
    auto function = reinterpret_cast<RowListener>(listener->function);
    return function(named->parser, named->id, named->className, listener->userValue);
}

bool callLayoutEnd(const Listener *listener, void *arguments)
{
    auto *named = static_cast<NameAndClass *>(arguments);
    auto function = reinterpret_cast<LayoutEndListener>(listener->function);
    return function(named->parser, named->id, named->className,
                    static_cast<KeyboardLayout *>(named->record), listener->userValue);
}

bool callKeyAdded(const Listener *listener, void *arguments)
{
    auto *named = static_cast<NameAndClass *>(arguments);
    auto function = reinterpret_cast<KeyAddedListener>(listener->function);
    return function(named->parser, named->id, named->className, static_cast<Key *>(named->record),
                    listener->userValue);
}

bool callActionParser(const Listener *listener, void *arguments)
{
    auto *action = static_cast<ActionArguments *>(arguments);
    auto function = reinterpret_cast<ActionParser>(listener->function);
    return function(action->parser, action->key, action->variant, action->action, listener->userValue);
}

bool builtInActionParser(KeyboardLayoutParser *, Key *key, KeyVariant *variant, const char *action, void *)
{
    return parseLayoutAction(key, variant, action);
}

void startLayout(KeyboardLayoutParser *parser, const XML_Char **attributes)
{
    if (!parser->keyboardDepth || parser->layout)
        return;
    const char *id = attribute(attributes, "id");
    const char *className = attribute(attributes, "class");
    if (!id)
        return error(parser, "missing id attribute");
    NameAndClass named{parser, id, className, nullptr};
    listenerNotifyUntilConsumed(parser->layoutBeginListeners, callNamed, &named);
    parser->layout = keyboardLayoutCreate(id);
    if (!parser->layout)
        return error(parser, "unable to create KeyboardLayout");
    replaceString(&parser->layoutId, id);
    replaceString(&parser->layoutClass, className);
    parser->layoutDepth = parser->depth;
}

bool outsideKeysAndGroups(const KeyboardLayoutParser *parser)
{
    return parser->layout && !parser->templatesDepth && !parser->defaultsDepth && !parser->keyDepth;
}

void startGroup(KeyboardLayoutParser *parser, int *groupDepth)
{
    if (outsideKeysAndGroups(parser) && !parser->variantDepth)
        *groupDepth = parser->depth;
}

void startRow(KeyboardLayoutParser *parser, const XML_Char **attributes)
{
    if (!outsideKeysAndGroups(parser) || parser->rowDepth)
        return;
    NameAndClass named{parser, attribute(attributes, "id"), attribute(attributes, "class"), nullptr};
    listenerNotifyUntilConsumed(parser->rowBeginListeners, callNamed, &named);
    replaceString(&parser->rowId, named.id);
    replaceString(&parser->rowClass, named.className);
    parser->rowDepth = parser->depth;
}

// The behaviour index of the template that a key names, -1 for none.
int32_t templateBehavior(KeyboardLayoutParser *parser, const char *ref)
{
    if (!ref || parser->templatesDepth)
        return -1;
    if (const TemplateKey *entry = findTemplate(parser, ref))
        return keyBehaviorIndex(entry->key);
    warning(parser, "unknown template reference");
    return -1;
}

int32_t keyTypeOf(KeyboardLayoutParser *parser, const char *type)
{
    if (!type || !*type || strcasecmp(type, "normal") == 0)
        return KeyTypeNormal;
    if (strcasecmp(type, "toggle") == 0)
        return KeyTypeToggle;
    warning(parser, "invalid type attribute, defaulting to \"normal\"");
    return KeyTypeNormal;
}

void startKey(KeyboardLayoutParser *parser, const XML_Char **attributes)
{
    if (!parser->layout || parser->keyDepth || parser->variantDepth)
        return;
    parser->variantIndex = 0;
    const char *id = attribute(attributes, "id");
    const char *className = attribute(attributes, "class");
    if (parser->defaultsDepth)
        return;
    if (parser->templatesDepth && !id)
        return error(parser, "missing id attribute");
    const int32_t behaviorIndex = templateBehavior(parser, attribute(attributes, "ref"));
    parser->key = keyCreate(keyTypeOf(parser, attribute(attributes, "type")));
    if (!parser->key)
        return error(parser, "unable to create Key");
    parser->keyDepth = parser->depth;
    parser->behaviorInUse = behaviorIndex < 0;
    if (parser->behaviorInUse)
        keyBehaviorClear(&parser->behavior);
    else
        keySetBehaviorIndex(parser->key, behaviorIndex);
    if (!parser->templatesDepth) {
        NameAndClass named{parser, id, className, nullptr};
        listenerNotifyUntilConsumed(parser->keyBeginListeners, callNamed, &named);
    }
    replaceString(&parser->keyId, id);
    replaceString(&parser->keyClass, className);
}

bool assignModifiers(KeyboardLayoutParser *parser, const char *modifiers)
{
    if (!parser->behaviorInUse) {
        const KeyBehavior *shared = parser->key
            ? keyboardBehaviorAt(parser->target, keyBehaviorIndex(parser->key)) : nullptr;
        if (shared)
            parser->behavior = *shared;
        else
            keyBehaviorClear(&parser->behavior);
        parser->behaviorInUse = true;
    }
    return parseModifierCombinations(&parser->behavior, modifiers, parser->variantIndex);
}

void startVariant(KeyboardLayoutParser *parser, const XML_Char **attributes)
{
    if (!parser->layout || parser->defaultsDepth || parser->variantDepth)
        return;
    const char *modifiers = attribute(attributes, "modifiers");
    if (modifiers && !assignModifiers(parser, modifiers))
        return error(parser, "unable to parse modifiers");
    parser->variant = keyVariantCreate(attribute(attributes, "label"), nullptr, nullptr, nullptr);
    if (!parser->variant)
        return error(parser, "unable to create KeyVariant");
    parser->variantDepth = parser->depth;
    replaceString(&parser->variantId, attribute(attributes, "id"));
    const char *action = attribute(attributes, "action");
    if (!action || listIsEmpty(parser->actionParsers))
        return;
    ActionArguments arguments{parser, parser->key, parser->variant, action};
    if (!listenerNotifyUntilConsumed(parser->actionParsers, callActionParser, &arguments))
        warning(parser, "unhandled action");
}

void startElement(void *data, const XML_Char *name, const XML_Char **attributes)
{
    auto *parser = static_cast<KeyboardLayoutParser *>(data);
    if (parser->stopped)
        return;
    ++parser->depth;
    switch (elementOf(name)) {
    case Element::Keyboard:
        if (!parser->keyboardDepth)
            parser->keyboardDepth = parser->depth;
        break;
    case Element::Layout: startLayout(parser, attributes); break;
    case Element::Templates: startGroup(parser, &parser->templatesDepth); break;
    case Element::Defaults: startGroup(parser, &parser->defaultsDepth); break;
    case Element::Row: startRow(parser, attributes); break;
    case Element::Key: startKey(parser, attributes); break;
    case Element::Variant: startVariant(parser, attributes); break;
    case Element::Other: break;
    }
}

void endVariant(KeyboardLayoutParser *parser)
{
    KeyVariant *variant = parser->variant;
    parser->variant = nullptr;
    if (parser->templatesDepth) {
        keyVariantFree(variant);
    } else if (!parser->key) {
        keyVariantFree(variant);
        warning(parser, "no key to add variant");
    } else if (!keyAppendVariant(parser->key, variant)) {
        keyVariantFree(variant);
        return error(parser, "unable to add variant to key");
    }
    ++parser->variantIndex;
    clearVariant(parser);
}

void registerTemplate(KeyboardLayoutParser *parser)
{
    if (!parser->templates && !(parser->templates = listCreate()))
        return error(parser, "unable to create template key list");
    if (!parser->keyId)
        return error(parser, "template key has no id");
    auto *entry = static_cast<TemplateKey *>(std::calloc(1, sizeof(TemplateKey)));
    if (!entry || !(entry->id = keyboardStringCopy(parser->keyId))) {
        std::free(entry);
        return error(parser, "unable to register template key");
    }
    entry->className = keyboardStringCopy(parser->keyClass);
    entry->key = parser->key;
    if (!listAppend(parser->templates, entry)) {
        entry->key = nullptr;
        freeTemplateKey(entry);
        return error(parser, "unable to append template key list");
    }
    parser->key = nullptr;
    clearKey(parser);
}

void addKeyToLayout(KeyboardLayoutParser *parser)
{
    if (!layoutAddKey(parser->layout, parser->key))
        return error(parser, "unable to add key to layout");
    NameAndClass named{parser, parser->keyId, parser->keyClass, parser->key};
    parser->key = nullptr;
    listenerNotifyAll(parser->keyAddedListeners, callKeyAdded, &named);
    clearKey(parser);
}

void endKey(KeyboardLayoutParser *parser)
{
    if (parser->behaviorInUse) {
        const int32_t index = keyboardAddBehavior(parser->target, &parser->behavior);
        if (!keySetBehaviorIndex(parser->key, index))
            return error(parser, "unable set Key behavior");
        parser->behaviorInUse = false;
    }
    if (parser->templatesDepth)
        registerTemplate(parser);
    else
        addKeyToLayout(parser);
}

void endRow(KeyboardLayoutParser *parser)
{
    if (!parser->templatesDepth && !parser->defaultsDepth) {
        NameAndClass named{parser, parser->rowId, parser->rowClass, nullptr};
        listenerNotifyAll(parser->rowEndListeners, callNamed, &named);
    }
    clearRow(parser);
}

void endLayout(KeyboardLayoutParser *parser)
{
    KeyboardLayout *layout = parser->layout;
    if (!keyboardAddLayout(parser->target, layout))
        return error(parser, "unable to layout to keyboard");
    parser->layout = nullptr;
    NameAndClass named{parser, parser->layoutId, parser->layoutClass, layout};
    listenerNotifyAll(parser->layoutEndListeners, callLayoutEnd, &named);
    clearLayout(parser);
}

void endElement(void *data, const XML_Char *name)
{
    auto *parser = static_cast<KeyboardLayoutParser *>(data);
    if (parser->stopped)
        return;
    const int depth = parser->depth--;
    switch (elementOf(name)) {
    case Element::Keyboard:
        if (parser->keyboardDepth == depth)
            parser->keyboardDepth = 0;
        break;
    case Element::Layout:
        if (parser->layoutDepth == depth)
            endLayout(parser);
        break;
    case Element::Templates:
        if (parser->templatesDepth == depth)
            parser->templatesDepth = 0;
        break;
    case Element::Defaults:
        if (parser->defaultsDepth == depth)
            parser->defaultsDepth = 0;
        break;
    case Element::Row:
        if (parser->rowDepth == depth)
            endRow(parser);
        break;
    case Element::Key:
        if (parser->keyDepth == depth)
            endKey(parser);
        break;
    case Element::Variant:
        if (parser->variantDepth == depth)
            endVariant(parser);
        break;
    case Element::Other: break;
    }
}

template<typename Function>
bool appendListener(KeyboardLayoutParser *parser, List *KeyboardLayoutParser::*list, Function function,
                    void *userValue)
{
    return parser && listenerAppend(parser->*list, reinterpret_cast<ListenerFunction>(function), userValue);
}

// Feeds the buffer to expat in pieces that fit its int length.
bool feed(KeyboardLayoutParser *parser, const char *bytes, size_t length)
{
    constexpr size_t piece = INT_MAX / 2;
    while (length > piece) {
        if (XML_Parse(parser->expat, bytes, int(piece), XML_FALSE) != XML_STATUS_OK)
            return false;
        bytes += piece;
        length -= piece;
    }
    return XML_Parse(parser->expat, bytes, int(length), XML_TRUE) == XML_STATUS_OK;
}

} // namespace

KeyboardLayoutParser *keyboardLayoutParserCreate()
{
    auto *parser = static_cast<KeyboardLayoutParser *>(std::calloc(1, sizeof(KeyboardLayoutParser)));
    if (!parser)
        return nullptr;
    List **lists[] = {&parser->layoutBeginListeners, &parser->layoutEndListeners,
                      &parser->rowBeginListeners, &parser->rowEndListeners,
                      &parser->keyBeginListeners, &parser->keyAddedListeners, &parser->actionParsers};
    bool created = true;
    for (List **list : lists)
        created = (*list = listCreate()) && created;
    parser->expat = XML_ParserCreate(nullptr);
    if (!created || !parser->expat
        || !parserAddActionParser(parser, builtInActionParser, nullptr)) {
        keyboardLayoutParserFree(parser);
        return nullptr;
    }
    return parser;
}

void keyboardLayoutParserFree(KeyboardLayoutParser *parser)
{
    if (!parser)
        return;
    resetParseState(parser);
    List *lists[] = {parser->layoutBeginListeners, parser->layoutEndListeners,
                     parser->rowBeginListeners, parser->rowEndListeners,
                     parser->keyBeginListeners, parser->keyAddedListeners, parser->actionParsers};
    for (List *list : lists)
        listFree(list, listenerFreeValue);
    if (parser->expat)
        XML_ParserFree(parser->expat);
    std::free(parser);
}

bool parserAddLayoutBeginListener(KeyboardLayoutParser *parser, LayoutBeginListener function,
                                  void *userValue)
{
    return appendListener(parser, &KeyboardLayoutParser::layoutBeginListeners, function, userValue);
}

bool parserAddLayoutEndListener(KeyboardLayoutParser *parser, LayoutEndListener function,
                                void *userValue)
{
    return appendListener(parser, &KeyboardLayoutParser::layoutEndListeners, function, userValue);
}

bool parserAddRowBeginListener(KeyboardLayoutParser *parser, RowListener function, void *userValue)
{
    return appendListener(parser, &KeyboardLayoutParser::rowBeginListeners, function, userValue);
}

bool parserAddRowEndListener(KeyboardLayoutParser *parser, RowListener function, void *userValue)
{
    return appendListener(parser, &KeyboardLayoutParser::rowEndListeners, function, userValue);
}

bool parserAddKeyBeginListener(KeyboardLayoutParser *parser, KeyBeginListener function,
                               void *userValue)
{
    return appendListener(parser, &KeyboardLayoutParser::keyBeginListeners, function, userValue);
}

bool addListener(KeyboardLayoutParser *parser, KeyAddedListener function, void *userValue)
{
    return appendListener(parser, &KeyboardLayoutParser::keyAddedListeners, function, userValue);
}

bool parserAddActionParser(KeyboardLayoutParser *parser, ActionParser function, void *userValue)
{
    return appendListener(parser, &KeyboardLayoutParser::actionParsers, function, userValue);
}

bool keyboardLayoutParserParse(KeyboardLayoutParser *parser, Keyboard *keyboard, const char *bytes,
                               size_t length)
{
    if (!parser || !keyboard)
        return false;
    if (!bytes || !length) {
        report(parser, "error", "empty document", false);
        return false;
    }
    XML_ParserReset(parser->expat, nullptr);
    XML_SetUserData(parser->expat, parser);
    XML_SetElementHandler(parser->expat, startElement, endElement);
    parser->target = keyboard;
    const bool parsed = feed(parser, bytes, length);
    if (!parsed && !parser->stopped)
        report(parser, "error", XML_ErrorString(XML_GetErrorCode(parser->expat)), true);
    const bool succeeded = parsed && !parser->stopped;
    resetParseState(parser);
    return succeeded;
}
