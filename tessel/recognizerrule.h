#pragma once

#include "tessel/rule.h"

namespace tessel {

// Terminals supplied by the caller's recognizer callback.
class RecognizerRule : public Rule
{
public:
    RecognizerRule(RecognizerCallback callback, void *user);
    void apply(Parser &parser, Result &target, const Region &region) override;

private:
    RecognizerCallback m_recognizer;
    void *m_user;
};

}
