#pragma once

#include "pad/inputwidget.h"
#include "windows/imfintegratorbase.h"

#include <QList>
#include <QString>

// An input widget of any mode that records what the panel sends it.
class StubWidget : public InputWidget
{
    Q_OBJECT
public:
    explicit StubWidget(InputMode mode);
    QObject *modelObject() override { return this; }
    QList<RecognitionResult> imported;
    QList<int> origins;
    QList<QPair<int, bool>> buttonStates;

public slots:
    void importModelEvent(const RecognitionResult &model) override;
    void enableUndoButtonsEvent(UndoType type, bool enabled);
    void setOriginAt(int box);
    void sendActionEvent();

signals:
    void timeout();
};

// An integrator that records its pending text and delivers when told to.
class RecordingIntegrator : public IMFIntegratorBase
{
    Q_OBJECT
public:
    bool delivers = true;
    QString pending;
    QStringList delivered;

public slots:
    void update(const RecognitionResult &result) override;
    bool sendInput() override;
};

// A result of one word with its own pen stroke, so that it has ink.
RecognitionResult writtenResult(const QString &text);
QString textOf(const RecognitionResult &result);
