#include "app/panelslider.h"

#include "app/scrivelapp.h"
#include "panel/mainframe.h"
#include "panel/panelservices.h"
#include "windows/winutils.h"

#include <QBitmap>
#include <QLabel>
#include <QPainter>
#include <QTimerEvent>

PanelSlider::PanelSlider(ScrivelApp *app)
    : m_app(app)
{
    connect(&m_horizontalSlideLine, &QTimeLine::frameChanged, this, &PanelSlider::sliderHMove);
    connect(&m_horizontalSlideLine, &QTimeLine::finished, this, &PanelSlider::hSlideTLFinished);
    connect(&m_verticalSlideLine, &QTimeLine::frameChanged, this, &PanelSlider::sliderVMove);
    connect(&m_verticalSlideLine, &QTimeLine::finished, this, &PanelSlider::vSlideTLFinished);
}

PanelSlider::~PanelSlider()
{
    stopSliding();
    delete m_sliderButton;
}

void PanelSlider::createSliderButton()
{
    if (m_sliderButton)
        return;
    auto *slider = new SvgUIButton;
    m_sliderButton = slider;
    slider->setObjectName(QStringLiteral("sliderButton"));
    slider->resolveStateElement(QStringLiteral("skin"), QStringLiteral("pen_slider"), QString());
    slider->setScaleFactors(0.7f, 0.7f);
    setFloatingWindowFlags(slider, true);
    slider->setOverlay(0, 0, 0, 0, QColor(37, 37, 39, 255));
    auto *picture = new QLabel(slider);
    picture->setObjectName(QStringLiteral("panelPicture"));
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (auto *panel = qobject_cast<MainFrame *>(m_app->panelWindow()))
        slider->setContextMenu(panel->contextMenu());
    connect(slider, &SvgUIButton::sigEnter, this, &PanelSlider::pointerEntered);
    connect(slider, &SvgUIButton::sigLeave, this, &PanelSlider::pointerLeft);
    connect(slider, &QAbstractButton::clicked, this, &PanelSlider::clicked);
}

void PanelSlider::updateSliderPicture()
{
    QWidget *panel = m_app->panelWindow();
    if (!m_sliderButton || !panel)
        return;
    auto *picture = m_sliderButton->findChild<QLabel *>(QStringLiteral("panelPicture"));
    picture->setGeometry(m_sliderButton->rect());
    picture->setPixmap(panel->grab().scaled(m_sliderButton->size()));
    const QRegion outline = panel->mask().isEmpty() ? QRegion(panel->rect()) : panel->mask();
    QBitmap mask(m_sliderButton->size());
    mask.fill(Qt::color0);
    QPainter painter(&mask);
    painter.setClipRegion(outline);
    painter.fillRect(mask.rect(), Qt::color1);
    painter.end();
    m_sliderButton->updateFloatingMask(mask);
}

bool PanelSlider::slidesLeft() const
{
    return m_app->preferences().behaviour.hidingMode != BehaviourSettings::SlideRight;
}

int PanelSlider::slidX(bool fully) const
{
    const QRect desktop = PanelServices::instance()->desktopGeometry();
    const int visible = fully ? 25 : 50;
    return slidesLeft() ? desktop.left() - m_sliderButton->width() + visible
                        : desktop.right() - visible;
}

void PanelSlider::stopSliding()
{
    m_slideTimer.stop();
    m_horizontalSlideLine.stop();
    m_verticalSlideLine.stop();
}

void PanelSlider::startSlideLeg(QTimeLine *line, int from, int to)
{
    line->stop();
    line->setDuration(m_app->behaviourTimings().slideLeg);
    line->setFrameRange(from, to);
    line->setEasingCurve(QEasingCurve::InCurve);
    line->setUpdateInterval(10);
    line->setCurrentTime(0);
    line->start();
}

void PanelSlider::hideBehindSlider()
{
    m_sliderButton->setGeometry(m_app->panelWindow()->geometry());
    updateSliderPicture();
    m_sliderButton->show();
    m_sliderButton->raise();
}

void PanelSlider::fullSliding()
{
    if (!m_sliderButton)
        return;
    stopSliding();
    m_slideTarget = QPoint(slidX(true), m_sliderButton->y());
    if (m_app->preferences().behaviour.dockingMode) {
        const QRect available = PanelServices::instance()->availableGeometry();
        m_slideTarget.setY(available.bottom() - m_sliderButton->height());
    }
    m_slideTargetState = ScrivelApp::ShownFullySlidState;
    startSlideLeg(&m_horizontalSlideLine, m_sliderButton->x(), m_slideTarget.x());
    m_sliderButton->setDown(false);
}

void PanelSlider::fullySlide()
{
    if (!m_sliderButton)
        return;
    if (!m_sliderButton->mask().isEmpty())
        updateSliderPicture();
    const QRect desktop = PanelServices::instance()->desktopGeometry();
    const int x = slidesLeft() ? desktop.left() + 25 - (m_sliderButton->width() - 1)
                               : desktop.right() - 25;
    m_sliderButton->move(x, m_sliderButton->y());
    clearDisabledStyle(m_sliderButton);
}

void PanelSlider::semiSliding()
{
    if (!m_sliderButton)
        return;
    stopSliding();
    m_slideTarget = QPoint(slidX(false), m_sliderButton->y());
    m_slideTargetState = ScrivelApp::ShownSemiSlidState;
    startSlideLeg(&m_horizontalSlideLine, m_sliderButton->x(), m_slideTarget.x());
}

void PanelSlider::semiSlideFromFullSlide()
{
    m_slideTimer.start(m_app->behaviourTimings().slideBack, this);
    if (m_sliderButton)
        m_sliderButton->setDown(true);
}

void PanelSlider::slideOut(QRect rect)
{
    rect.moveTop(m_sliderButton->y());
    const QRect desktop = PanelServices::instance()->desktopGeometry();
    if (slidesLeft())
        rect.moveRight(desktop.left() + 25);
    else
        rect.moveLeft(desktop.right() - 25);
    m_sliderButton->setGeometry(rect);
    m_slideTargetState = ScrivelApp::ShownWindowedState;
    if (m_sliderButton->y() == m_slideTarget.y())
        startSlideLeg(&m_horizontalSlideLine, m_sliderButton->x(), m_slideTarget.x());
    else
        startSlideLeg(&m_verticalSlideLine, m_sliderButton->y(), m_slideTarget.y());
    updateSliderPicture();
}

void PanelSlider::sliderHMove(int x)
{
    if (m_sliderButton)
        m_sliderButton->move(x, m_sliderButton->y());
}

void PanelSlider::sliderVMove(int y)
{
    if (m_sliderButton)
        m_sliderButton->move(m_sliderButton->x(), y);
}

void PanelSlider::hSlideTLFinished()
{
    finishSlideLeg(&m_horizontalSlideLine);
}

void PanelSlider::vSlideTLFinished()
{
    finishSlideLeg(&m_verticalSlideLine);
}

// A finished leg starts the other one while that coordinate is not at the target yet.
void PanelSlider::finishSlideLeg(QTimeLine *finished)
{
    if (!m_sliderButton)
        return;
    const bool horizontal = finished == &m_horizontalSlideLine;
    if (horizontal)
        sliderHMove(m_slideTarget.x());
    else
        sliderVMove(m_slideTarget.y());
    if (horizontal && m_sliderButton->y() != m_slideTarget.y()) {
        startSlideLeg(&m_verticalSlideLine, m_sliderButton->y(), m_slideTarget.y());
        return;
    }
    if (!horizontal && m_sliderButton->x() != m_slideTarget.x()) {
        startSlideLeg(&m_horizontalSlideLine, m_sliderButton->x(), m_slideTarget.x());
        return;
    }
    if (m_slideTargetState == ScrivelApp::ShownFullySlidState)
        emit animationFinishedFullySlide();
    else if (m_slideTargetState == ScrivelApp::ShownSemiSlidState)
        emit animationFinishedSemiSlide();
    else
        emit animationFinished();
}

void PanelSlider::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_slideTimer.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    m_slideTimer.stop();
    fullSliding();
}
