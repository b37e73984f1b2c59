#pragma once

#include "recognition/recognizerengine.h"

#include <QThread>

class ThreadedRecoEventHandler;

// A recognition thread: run creates the event handler inside the thread,
// announces it with configured(ok) in the owner's thread and serves queued
// requests until the recognizer is deleted, which joins the thread and
// deletes the handler.
class ThreadedRecognizer : public QThread, public RecognizerEngine
{
    Q_OBJECT
public:
    ThreadedRecognizer(const RecognizerConfig &config, QObject *parent = nullptr);
    ~ThreadedRecognizer() override;

    // Set in the recognizer thread before configured is emitted.
    ThreadedRecoEventHandler *handler = nullptr;

signals:
    void configured(bool ok);

protected:
    void run() override;
    virtual bool createHandler();

private:
    bool aborted = false;
    // The handler as the destructor may see it from another thread.
    ThreadedRecoEventHandler *publishedHandler = nullptr;
};
