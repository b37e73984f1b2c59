#pragma once

#include "skin/svguibutton.h"

#include <QBasicTimer>
#include <QObject>
#include <QPointer>
#include <QTimeLine>

class ScrivelApp;

// The tab that stands for the panel while it is slid to a screen edge, and its slides: fully
// slid 25 pixels show, half slid 50; a slide moves along one axis at a time.
class PanelSlider : public QObject
{
    Q_OBJECT

public:
    explicit PanelSlider(ScrivelApp *app);
    ~PanelSlider() override;

    SvgUIButton *sliderButton() const { return m_sliderButton; }
    // Where the running slide ends; after a slide back, the panel's place.
    QPoint slideTarget() const { return m_slideTarget; }
    void setSlideTarget(const QPoint &target) { m_slideTarget = target; }

    // Builds the tab once, with the panel's menu.
    void createSliderButton();
    // The slider shows the panel's picture inside the panel's outline.
    void updateSliderPicture();
    void stopSliding();
    bool slidesLeft() const;
    // Covers the panel with the tab and slides it fully to the edge.
    void hideBehindSlider();
    // Puts the tab, in the size of `rect`, at the edge and slides it to the slide target.
    void slideOut(QRect rect);

signals:
    void pointerEntered();
    void pointerLeft();
    void clicked();
    void animationFinished();
    void animationFinishedFullySlide();
    void animationFinishedSemiSlide();

public slots:
    void fullySlide();
    void fullSliding();
    void semiSliding();
    void semiSlideFromFullSlide();
    void hSlideTLFinished();
    void vSlideTLFinished();
    void sliderHMove(int x);
    void sliderVMove(int y);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void startSlideLeg(QTimeLine *line, int from, int to);
    void finishSlideLeg(QTimeLine *finished);
    // The slider's x when slid fully or half to the edge of the hiding mode.
    int slidX(bool fully) const;

    ScrivelApp *m_app;
    QPointer<SvgUIButton> m_sliderButton;
    QTimeLine m_horizontalSlideLine;
    QTimeLine m_verticalSlideLine;
    QBasicTimer m_slideTimer;
    QPoint m_slideTarget;
    int m_slideTargetState = 0;
};
