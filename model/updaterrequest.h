#pragma once

#include "model/recognitionresult.h"

#include <QFlags>
#include <QList>

class StrokeItem;

// States of a pad controller's request state machine.
enum class UpdaterState : int { Idle = 1, Processing = 2, Paused = 4 };
Q_DECLARE_FLAGS(UpdaterStates, UpdaterState)
Q_DECLARE_OPERATORS_FOR_FLAGS(UpdaterStates)

// What a pad controller's request state machine is asked to do.
enum class UpdaterRequestKind : int {
    IncomingTask = 1,
    AbortTask = 2,
    ClearContext = 3,
    ScheduleTask = 4,
    CheckTask = 5,
    UpdateTask = 6,
    FinalizeTask = 7,
    DelayTask = 8,
    ResumeTask = 9,
    UpdateIdle = 10,
    SendWhenIdle = 11,
};

// A request handed by pointer to the controller for the time of one call;
// the kinds without payload use this record alone.
struct UpdaterRequest
{
    explicit UpdaterRequest(UpdaterRequestKind kind) : kind(kind) {}
    UpdaterRequestKind kind;
};

// A finished stroke; the controller takes ownership of the item.
struct ScheduleTask : UpdaterRequest
{
    explicit ScheduleTask(StrokeItem *item)
        : UpdaterRequest(UpdaterRequestKind::ScheduleTask), item(item)
    {
    }
    StrokeItem *item;
};

// Asks whether the controller is in one of the states of the mask; the
// reply fields are filled in any state.
struct CheckTask : UpdaterRequest
{
    explicit CheckTask(UpdaterStates mask)
        : UpdaterRequest(UpdaterRequestKind::CheckTask), mask(mask)
    {
    }
    UpdaterStates mask;
    QList<StrokeItem *> pendingStrokes;
    RecognitionResult model;
    int processedCount = 0;
    int flags = 0;
};

// A request that hands the controller a result and a word of flags for its context.
struct ResultRequest : UpdaterRequest
{
    ResultRequest(UpdaterRequestKind kind, const RecognitionResult &result, int flagWord)
        : UpdaterRequest(kind), result(result), flagWord(flagWord)
    {
    }
    RecognitionResult result;
    int flagWord;
};

struct UpdateTask : ResultRequest
{
    UpdateTask(const RecognitionResult &result, int count, int flagWord)
        : ResultRequest(UpdaterRequestKind::UpdateTask, result, flagWord), count(count)
    {
    }
    int count;
};

struct FinalizeTask : ResultRequest
{
    FinalizeTask(const RecognitionResult &result, int flagWord)
        : ResultRequest(UpdaterRequestKind::FinalizeTask, result, flagWord)
    {
    }
};

struct DelayTask : UpdaterRequest
{
    DelayTask(int delay, int count)
        : UpdaterRequest(UpdaterRequestKind::DelayTask), delay(delay), count(count)
    {
    }
    int delay;
    int count;
};

struct UpdateIdle : ResultRequest
{
    UpdateIdle(const RecognitionResult &result, int flagWord)
        : ResultRequest(UpdaterRequestKind::UpdateIdle, result, flagWord)
    {
    }
};
