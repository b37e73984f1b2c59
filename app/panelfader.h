#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPoint>
#include <QTimeLine>
#include <QTimer>

class ScrivelApp;

// The windowed panel's automatic hiding: once the pointer has left it, the panel optionally
// fades to 30 % and then asks to be hidden when the hiding timer runs out.
class PanelFader : public QObject
{
    Q_OBJECT

public:
    explicit PanelFader(ScrivelApp *app);
    ~PanelFader() override;

    bool isPointerOutside() const { return m_pointerOutside; }
    void setPointerOutside(bool outside) { m_pointerOutside = outside; }
    void setPanelOpacity(qreal opacity);

signals:
    // The hiding timer ran out.
    void autoHideTimeout();

public slots:
    void enableAutoHiding();
    void disableAutoHiding();
    void startAutoHideTimer();
    void stopAutoHideTimer();
    void startFadeTimeLine();
    void fadingOut(int frame);
    // Integrator mouse moves while windowed: leaving the panel starts its automatic hiding,
    // entering it stops it.
    void checkCursorPosition(const QPoint &point);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    ScrivelApp *m_app;
    QTimeLine m_fadeLine;
    QBasicTimer m_autoHideTimer;
    QTimer m_fadeStartTimer;
    bool m_pointerOutside = true;
};
