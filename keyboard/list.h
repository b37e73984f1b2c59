#pragma once

#include <cstdint>

// Singly linked list of untyped values, used by every collection of the
// layout engine.
struct ListNode {
    void *value;
    ListNode *next;
};

struct List {
    ListNode *head;
    ListNode *tail;
    uint32_t count;
};

struct ListIterator {
    ListNode *node;
};

using ListFreeFunction = void (*)(void *value);
using ListCallback = bool (*)(void *value, void *data);

List *listCreate();
void listFree(List *list, ListFreeFunction freeValue);
bool listAppend(List *list, void *value);
bool listRemove(List *list, void *value, ListFreeFunction freeValue);
bool listForEach(const List *list, ListCallback callback, void *data);
uint32_t listCount(const List *list);
bool listIsEmpty(const List *list);

ListIterator *listIteratorCreate(const List *list);
void *listIteratorValue(const ListIterator *iterator);
bool listIteratorAtEnd(const ListIterator *iterator);
bool listIteratorNext(ListIterator *iterator);
void listIteratorFree(ListIterator *iterator);
