#pragma once

#include "panel/panelservices.h"

class ScrivelApp;

// What the panel needs of the application, answered by the application object: its
// preferences, the settings store and the exit sequence.
class AppPanelServices final : public PanelServices
{
    Q_OBJECT

public:
    explicit AppPanelServices(ScrivelApp *app);

    // Installs one instance owned by the application (once).
    static void install(ScrivelApp *app);

    void loadSettings(LocalePrefs *languages, int *lastMode) override;
    void saveSettings() override;
    void loadInputWidgetSettings(InputWidget *widget) override;
    void saveInputWidgetSettings(InputWidget *widget) override;
    BehaviourSettings behaviour() const override;
    ItemStyle itemStyle() const override;
    AppPreferences preferences() const override;
    void setPreferences(const AppPreferences &preferences) override;
    void placeDialog(QWidget *dialog) override;
    void announceDialog(bool shown) override;
    QPoint windowedPosition() const override;
    void setWindowedPosition(const QPoint &position) override;
    QPoint floatingMenuPosition() const override;
    void setFloatingMenuPosition(const QPoint &position) override;
    QSize windowedSize() const override;
    void setWindowedSize(const QSize &size) override;
    int dockedHeight() const override;
    void setDockedHeight(int height) override;
    bool saveInk() const override;
    void setSaveInk(bool on) override;
    bool dockingMode() const override;
    void setDockingMode(bool docked) override;
    bool showKeypad() const override;
    void setShowKeypad(bool shown) override;
    void setExitError(int code, const QString &detail) override;
    bool isFullScreenState() const override;
    void showForFullScreenWriting() override;
    void setWidgetTranslation(int index, const QPointF &origin) override;
    void mouseIsOnFloatingMenuEvent(const QPointF &point) override;
    void setTranslation(const QRectF &ink) override;
    void setFullScreenMinGUIWidgetPos(const QRectF &ink) override;
    void adjustMinGUIWidgetPosWhenCandidatesShown(const QRectF &list) override;
    void runExitSequence() override;

private:
    template<typename Change>
    void change(Change change);

    ScrivelApp *m_app;
};
