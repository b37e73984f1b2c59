#pragma once

#include "model/recognitionresult.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

// The output integrator as the application and the panel see it.
class IMFIntegratorBase : public QObject
{
    Q_OBJECT
public:
    explicit IMFIntegratorBase(QObject *parent = nullptr);

    virtual void setPanelWidget(QWidget *panel);
    virtual QWidget *panelWidget() const;
    // Milliseconds to wait before the program exits.
    virtual int exitDelay(bool exitErrorPending) const;

public slots:
    virtual void update(const RecognitionResult &result);
    // Sends the pending text; true when it was delivered.
    virtual bool sendInput();

signals:
    void workAreaResized();
    void mouseDown(const QPoint &point);
    void mouseMove(const QPoint &point);
    void mouseUp(const QPoint &point);

private:
    QPointer<QWidget> m_panel;
};
