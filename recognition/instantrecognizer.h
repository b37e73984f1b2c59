#pragma once

#include "recognition/threadedrecognizer.h"

// The live recognizer of writing pads and edit-gesture oracles: its handler
// loads the language's engine resources and lexicon.
class InstantRecognizer : public ThreadedRecognizer
{
    Q_OBJECT
public:
    InstantRecognizer(const RecognizerConfig &config, QObject *parent = nullptr);
    ~InstantRecognizer() override;

protected:
    bool createHandler() override;

private:
    RecognizerConfig m_config;
};
