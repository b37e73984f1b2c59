#pragma once

struct List;

using ListenerFunction = void (*)();
using ListenerUserFree = void (*)(void *userValue);

// One registered callback; the function is cast back to its list's
// signature by the caller that notifies the list.
struct Listener {
    ListenerFunction function;
    void *userValue;
    ListenerUserFree freeUserValue;
};

// Calls one listener with the arguments of a notification; true consumes it.
using ListenerCall = bool (*)(const Listener *listener, void *arguments);

Listener *listenerCreate(ListenerFunction function, void *userValue, ListenerUserFree freeUserValue);
void listenerFree(Listener *listener);
void listenerFreeValue(void *listener);

// Appends a listener with no user value free function.
bool listenerAppend(List *listeners, ListenerFunction function, void *userValue);

// Calls listeners in order until one returns true; true when one did.
bool listenerNotifyUntilConsumed(const List *listeners, ListenerCall call, void *arguments);
// Calls every listener, ignoring results.
void listenerNotifyAll(const List *listeners, ListenerCall call, void *arguments);
