#pragma once

#include <QLocale>
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>

class QWidget;

// What the writing surface needs of the application and the output
// integrator. The application installs its own instance before it makes the
// writing pads; without one a default instance answers as a windowed
// application without pen collection.
class PadServices : public QObject
{
    Q_OBJECT
public:
    explicit PadServices(QObject *parent = nullptr);
    ~PadServices() override;

    static PadServices *instance();
    // The caller keeps ownership; an installed instance unregisters itself
    // when it is destroyed.
    static void setInstance(PadServices *services);

    virtual bool isFullScreenState() const;
    virtual void setupInk(bool fullScreen, QWidget *view);
    // The input mode of the panel's current input widget; 0 without a panel.
    virtual int currentInputMode() const;
    // The width of the mini keyboard of the panel's current writing pad; 0 without one.
    virtual int currentKeypadWidth() const;
    // Shows (or keeps) the full-screen writing surface when a demonstration starts there.
    virtual void showForFullScreenWriting();
    // The locale of the panel's current writing language; the default locale without a panel.
    virtual QLocale currentWritingLocale() const;
    // The panel window's geometry in global coordinates; null without a panel, when the pads
    // measure the top-level window of their view.
    virtual QRect panelGeometry() const;
    // The work area of the application's current screen; that of the primary screen by default.
    virtual QRect screenRect() const;
    // The scene origin of the panel pad's view (0) or of the full-screen view (1).
    virtual void setWidgetTranslation(int index, const QPointF &origin);

public slots:
    virtual void mouseIsOnFloatingMenuEvent(const QPointF &point);
    // Where the cursive pad's ink lies on the screen (global rectangles): the panel shown next
    // frames it; the simulation keeps the minimal interface of full-screen writing beside it.
    virtual void setTranslation(const QRectF &ink);
    virtual void setFullScreenMinGUIWidgetPos(const QRectF &ink);
    // A candidate list opened at `list` (scene rectangle of the full-screen view).
    virtual void adjustMinGUIWidgetPosWhenCandidatesShown(const QRectF &list);

signals:
    void startShowing();
    void startShownWindowed();
    void emptyFullScreenWritepadEvent();
    void isNotVsdMoveBeforeWritingInApp();
    // A mouse button release that the system-wide hook saw, at its global position; the
    // application relays the output integrator's reports.
    void mouseUp(const QPoint &point);
    // The screen or its work area changed; the panel has been fitted to it.
    void newScreenChanged();
    // Leaving transparent writing (false) or placing its minimal interface (true): the cursive
    // pad reports where its ink lies.
    void newStateFromTransparentWithText(bool simulationOnly);
    // Leaving the panel for transparent writing with text: the full-screen view takes the ink
    // where the panel showed it.
    void newStateFromWindowWithText();
    // A cursive layout ended.
    void layoutTimeLineFinished();
};
