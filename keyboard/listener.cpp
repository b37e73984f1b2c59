#include "keyboard/listener.h"

#include "keyboard/list.h"

#include <cstdlib>

namespace {

struct Notification {
    ListenerCall call;
    void *arguments;
};

bool continueUnlessConsumed(void *listener, void *data)
{
    auto *notification = static_cast<Notification *>(data);
    return !notification->call(static_cast<Listener *>(listener), notification->arguments);
}

bool continueAlways(void *listener, void *data)
{
    auto *notification = static_cast<Notification *>(data);
    notification->call(static_cast<Listener *>(listener), notification->arguments);
    return true;
}

} // namespace

Listener *listenerCreate(ListenerFunction function, void *userValue, ListenerUserFree freeUserValue)
{
    auto *listener = static_cast<Listener *>(std::calloc(1, sizeof(Listener)));
    if (!listener)
        return nullptr;
    listener->function = function;
    listener->userValue = userValue;
    listener->freeUserValue = freeUserValue;
    return listener;
}

void listenerFree(Listener *listener)
{
    if (!listener)
        return;
    if (listener->freeUserValue)
        listener->freeUserValue(listener->userValue);
    std::free(listener);
}

void listenerFreeValue(void *listener)
{
    listenerFree(static_cast<Listener *>(listener));
}

bool listenerAppend(List *listeners, ListenerFunction function, void *userValue)
{
    if (!listeners || !function)
        return false;
    Listener *listener = listenerCreate(function, userValue, nullptr);
    if (!listener)
        return false;
    if (listAppend(listeners, listener))
        return true;
    listenerFree(listener);
    return false;
}

bool listenerNotifyUntilConsumed(const List *listeners, ListenerCall call, void *arguments)
{
    Notification notification{call, arguments};
    return !listForEach(listeners, continueUnlessConsumed, &notification);
}

void listenerNotifyAll(const List *listeners, ListenerCall call, void *arguments)
{
    Notification notification{call, arguments};
    listForEach(listeners, continueAlways, &notification);
}
