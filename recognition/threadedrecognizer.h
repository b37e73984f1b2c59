#pragma once

#include "recognition/recognizerengine.h"

#include <QThread>

class ThreadedRecoEventHandler;

// A recognition thread: run creates the event handler inside the thread,
// announces it with configured(ok) in the owner's thread and serves queued
// requests until the recognizer is deleted, which ends the loop and joins
// the thread; the thread deletes its handler on the way out.
class ThreadedRecognizer : public QThread, public RecognizerEngine
{
    Q_OBJECT
public:
    ThreadedRecognizer(const RecognizerConfig &config, QObject *parent = nullptr);
    ~ThreadedRecognizer() override;

    // Set in the recognizer thread before configured is emitted; valid
    // until the recognizer is deleted.
    ThreadedRecoEventHandler *handler() const { return m_handler; }

signals:
    void configured(bool ok);

protected:
    void run() override;
    // Creates the handler, hands it to setHandler and answers whether it is configured.
    virtual bool createHandler();
    void setHandler(ThreadedRecoEventHandler *handler) { m_handler = handler; }
    // Ends the loop and joins the thread. A derived recognizer calls it first
    // in its destructor, so that the thread stops using it before its members go.
    void stopThread();

private:
    ThreadedRecoEventHandler *m_handler = nullptr;
    bool m_aborted = false;
    // The handler as the destructor may see it from another thread.
    ThreadedRecoEventHandler *m_publishedHandler = nullptr;
};
