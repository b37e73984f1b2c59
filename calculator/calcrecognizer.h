#pragma once

#include "recognition/recognizerconfig.h"
#include "recognition/recognizerengine.h"

#include <QMutex>
#include <QThread>

class CalcRecoEventHandler;

// The calculator's recognizer thread: run creates the handler (and with it the parser)
// inside the thread and announces it with configured(ok); the thread serves queued requests
// until the recognizer is deleted, and deletes its handler on the way out, so that the
// parser and the handler's timer end in the thread they belong to.
class CalcRecognizer : public QThread, public RecognizerEngine
{
    Q_OBJECT
public:
    CalcRecognizer(const RecognizerConfig &config, QObject *parent = nullptr);
    ~CalcRecognizer() override;

    // Set before configured is emitted; valid until the recognizer is deleted.
    CalcRecoEventHandler *handler() const { return m_handler; }

signals:
    void configured(bool ok);

protected:
    void run() override;
    virtual bool createEventHandler();

private:
    RecognizerConfig m_config;
    CalcRecoEventHandler *m_handler = nullptr;
    QMutex m_stopMutex;
    bool m_stop = false;
    // The handler as the destructor may reach it; guarded by the stop mutex.
    CalcRecoEventHandler *m_running = nullptr;
};
