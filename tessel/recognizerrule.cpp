#include "tessel/recognizerrule.h"

namespace tessel {

RecognizerRule::RecognizerRule(RecognizerCallback callback, void *user)
    : m_recognizer(callback)
    , m_user(user)
{
}

void RecognizerRule::apply(Parser &, Result &target, const Region &region)
{
    if (m_recognizer)
        m_recognizer(&target, const_cast<Region *>(&region), m_user);
}

}
