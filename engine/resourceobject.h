#pragma once

#include "engine/characterclassifier.h"
#include "engine/engineobject.h"
#include "engine/templateclassifier.h"

#include <memory>
#include <string>
#include <vector>

namespace zk {

// A recognition resource (type 320), stored and loaded in the engine's format.
class ResourceObject : public EngineObject
{
public:
    enum Kind : uint8_t {
        Characters = 1, // a character model
        Gestures = 2,   // edit gestures, then letters from its character model
        Words = 3,      // a word list (the language's lexicon)
        Symbols = 4     // the labels a recognizer may answer (others are dropped)
    };
    enum Flag : uint8_t {
        User = 1,    // trained by the user: its candidates come first
        Boxed = 2,   // model sees raw ink in its box (else the canonical form)
        Ideographic = 4 // characters are square, written side by side
    };

    ResourceObject();

    // The name of the language packages' text models (letters, digits and some symbols).
    static constexpr const char *textModelName = "latin";

    Kind kind = Characters;
    uint8_t flags = 0;
    std::string name;
    std::string modelPath;  // a model file (e.g. installed by a package) ...
    std::string modelBytes; // ... or the model itself
    std::vector<std::string> words; // Words and Symbols
    std::string templates;          // the user's samples (TemplateClassifier), if any

    std::string payload() const;
    // Parses a payload and opens the model; false for bad data or a missing model.
    bool load(const std::string &payload);
    bool open();

    const CharacterClassifier *classifier() const;
    const TemplateClassifier *templateClassifier() const;

private:
    std::unique_ptr<CharacterClassifier> m_classifier;
    std::unique_ptr<TemplateClassifier> m_templates;
};

} // namespace zk
