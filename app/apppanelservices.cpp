#include "app/apppanelservices.h"

#include "app/placement.h"
#include "app/scrivelapp.h"
#include "windows/imfintegrator.h"

AppPanelServices::AppPanelServices(ScrivelApp *app)
    : PanelServices(app)
    , m_app(app)
{
    setIntegrator(app->integrator());
}

void AppPanelServices::install(ScrivelApp *app)
{
    if (!app->findChild<AppPanelServices *>(QString(), Qt::FindDirectChildrenOnly))
        PanelServices::setInstance(new AppPanelServices(app));
}

template<typename Change>
void AppPanelServices::change(Change change)
{
    AppPreferences prefs = m_app->preferences();
    change(prefs);
    m_app->setPreferences(prefs);
}

void AppPanelServices::loadSettings(LocalePrefs *languages, int *lastMode)
{
    m_app->loadPanelSettings(languages, lastMode);
}

void AppPanelServices::saveSettings()
{
    PanelServices::saveSettings();
    m_app->saveSettings();
}

void AppPanelServices::loadInputWidgetSettings(InputWidget *widget)
{
    m_app->loadInputWidgetSettings(widget);
}

void AppPanelServices::saveInputWidgetSettings(InputWidget *widget)
{
    m_app->saveInputWidgetSettings(widget);
}

BehaviourSettings AppPanelServices::behaviour() const
{
    return m_app->preferences().behaviour;
}

ItemStyle AppPanelServices::itemStyle() const
{
    return m_app->preferences().style;
}

AppPreferences AppPanelServices::preferences() const
{
    return m_app->preferences();
}

void AppPanelServices::setPreferences(const AppPreferences &preferences)
{
    m_app->setPreferences(preferences);
}

void AppPanelServices::placeDialog(QWidget *dialog)
{
    placeOverPanel(dialog);
}

void AppPanelServices::announceDialog(bool shown)
{
    emit m_app->generalDialogEvent(shown);
}

QPoint AppPanelServices::windowedPosition() const
{
    return m_app->preferences().windowedPosition;
}

void AppPanelServices::setWindowedPosition(const QPoint &position)
{
    change([&](AppPreferences &p) { p.windowedPosition = position; });
}

QPoint AppPanelServices::floatingMenuPosition() const
{
    return m_app->preferences().floatingMenuPosition;
}

void AppPanelServices::setFloatingMenuPosition(const QPoint &position)
{
    change([&](AppPreferences &p) { p.floatingMenuPosition = position; });
}

QSize AppPanelServices::windowedSize() const
{
    return m_app->preferences().windowedSize;
}

void AppPanelServices::setWindowedSize(const QSize &size)
{
    change([&](AppPreferences &p) { p.windowedSize = size; });
}

int AppPanelServices::dockedHeight() const
{
    return m_app->preferences().dockedHeightWindowed;
}

void AppPanelServices::setDockedHeight(int height)
{
    change([&](AppPreferences &p) { p.dockedHeightWindowed = height; });
}

bool AppPanelServices::saveInk() const
{
    return m_app->saveInk();
}

void AppPanelServices::setSaveInk(bool on)
{
    m_app->setSaveInk(on);
}

bool AppPanelServices::dockingMode() const
{
    return m_app->preferences().behaviour.dockingMode;
}

void AppPanelServices::setDockingMode(bool docked)
{
    change([&](AppPreferences &p) { p.behaviour.dockingMode = docked; });
}

bool AppPanelServices::showKeypad() const
{
    return m_app->preferences().behaviour.showKeypad;
}

void AppPanelServices::setShowKeypad(bool shown)
{
    change([&](AppPreferences &p) { p.behaviour.showKeypad = shown; });
}

void AppPanelServices::setExitError(int code, const QString &detail)
{
    PanelServices::setExitError(code, detail);
    m_app->setExitError(code, detail);
}

void AppPanelServices::runExitSequence()
{
    PanelServices::runExitSequence();
    m_app->runExitSequence();
}

bool AppPanelServices::isFullScreenState() const
{
    return m_app->isFullScreenState();
}

void AppPanelServices::showForFullScreenWriting()
{
    m_app->showForFullScreenWriting();
}

void AppPanelServices::mouseIsOnFloatingMenuEvent(const QPointF &point)
{
    m_app->fullScreenWriting()->mouseIsOnFloatingMenuEvent(point);
}

void AppPanelServices::setWidgetTranslation(int index, const QPointF &origin)
{
    m_app->fullScreenWriting()->setWidgetTranslation(index, origin);
}

void AppPanelServices::setTranslation(const QRectF &ink)
{
    m_app->fullScreenWriting()->setTranslation(ink);
}

void AppPanelServices::setFullScreenMinGUIWidgetPos(const QRectF &ink)
{
    m_app->fullScreenWriting()->setFullScreenMinGUIWidgetPos(ink);
}

void AppPanelServices::adjustMinGUIWidgetPosWhenCandidatesShown(const QRectF &list)
{
    m_app->fullScreenWriting()->adjustMinGUIWidgetPosWhenCandidatesShown(list);
}
