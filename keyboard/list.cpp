#include "keyboard/list.h"

#include <cstdlib>

List *listCreate()
{
    return static_cast<List *>(std::calloc(1, sizeof(List)));
}

void listFree(List *list, ListFreeFunction freeValue)
{
    if (!list)
        return;
    ListNode *node = list->head;
    while (node) {
        ListNode *next = node->next;
        if (freeValue && node->value)
            freeValue(node->value);
        std::free(node);
        node = next;
    }
    std::free(list);
}

bool listAppend(List *list, void *value)
{
    if (!list)
        return false;
    auto *node = static_cast<ListNode *>(std::calloc(1, sizeof(ListNode)));
    if (!node)
        return false;
    node->value = value;
    if (list->tail)
        list->tail->next = node;
    else
        list->head = node;
    list->tail = node;
    ++list->count;
    return true;
}

bool listRemove(List *list, void *value, ListFreeFunction freeValue)
{
    if (!list)
        return false;
    ListNode *previous = nullptr;
    for (ListNode *node = list->head; node; previous = node, node = node->next) {
        if (node->value != value)
            continue;
        if (previous)
            previous->next = node->next;
        else
            list->head = node->next;
        if (list->tail == node)
            list->tail = previous;
        --list->count;
        std::free(node);
        if (freeValue && value)
            freeValue(value);
        return true;
    }
    return false;
}

bool listForEach(const List *list, ListCallback callback, void *data)
{
    if (!list || !callback)
        return false;
    for (ListNode *node = list->head; node;) {
        ListNode *next = node->next;
        if (!callback(node->value, data))
            return false;
        node = next;
    }
    return true;
}

uint32_t listCount(const List *list)
{
    return list ? list->count : 0;
}

bool listIsEmpty(const List *list)
{
    return listCount(list) == 0;
}

ListIterator *listIteratorCreate(const List *list)
{
    if (!list)
        return nullptr;
    auto *iterator = static_cast<ListIterator *>(std::calloc(1, sizeof(ListIterator)));
    if (iterator)
        iterator->node = list->head;
    return iterator;
}

void *listIteratorValue(const ListIterator *iterator)
{
    return iterator && iterator->node ? iterator->node->value : nullptr;
}

bool listIteratorAtEnd(const ListIterator *iterator)
{
    return !iterator || !iterator->node;
}

bool listIteratorNext(ListIterator *iterator)
{
    if (listIteratorAtEnd(iterator))
        return false;
    iterator->node = iterator->node->next;
    return true;
}

void listIteratorFree(ListIterator *iterator)
{
    std::free(iterator);
}
