#include "recognition/threadedrecognizer.h"

#include "recognition/enginebinding.h"
#include "recognition/recognizermutex.h"
#include "recognition/threadedrecoeventhandler.h"

#include <QMutexLocker>

ThreadedRecognizer::ThreadedRecognizer(const RecognizerConfig &config, QObject *parent)
    : QThread(parent), RecognizerEngine(config)
{
}

ThreadedRecognizer::~ThreadedRecognizer()
{
    stopThread();
}

void ThreadedRecognizer::stopThread()
{
    ThreadedRecoEventHandler *running;
    {
        QMutexLocker lock(&recognizerMutex());
        m_aborted = true;
        running = m_publishedHandler;
    }
    // A run in progress would hold the join until the engine returns.
    if (running)
        running->abortRecognition();
    quit();
    wait();
}

bool ThreadedRecognizer::createHandler()
{
    m_handler = new ThreadedRecoEventHandler(engineBinding().engine, *this);
    return m_handler->isConfigured();
}

void ThreadedRecognizer::run()
{
    const bool ok = createHandler();
    // Announced through this object's own thread, so that a recognizer
    // deleted meanwhile takes its announcement with it.
    QMetaObject::invokeMethod(
        this, [this, ok] { emit configured(ok); }, Qt::QueuedConnection);
    bool aborted;
    {
        QMutexLocker lock(&recognizerMutex());
        aborted = m_aborted;
        if (!aborted)
            m_publishedHandler = m_handler;
    }
    // The loop ends only on the destructor's quit.
    if (!aborted)
        exec();
    {
        QMutexLocker lock(&recognizerMutex());
        m_publishedHandler = nullptr;
    }
    // The handler and its timer belong to this thread: they go here, so
    // that a request still pending has its timer stopped by its own thread.
    delete m_handler;
    m_handler = nullptr;
}
