#pragma once

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QRadioButton;
struct AppPreferences;

// The "Panel Access" page of the preferences: how the panel hides, the quick access button,
// fading, the keypad of an empty writing area and starting with the system.
class PanelAccessTab : public QWidget
{
    Q_OBJECT

public:
    // Button ids of the hiding choices; the ids are not the hiding modes they stand for.
    enum HidingButton { HideButton = 0, SlideRightButton = 1, SlideLeftButton = 2 };

    explicit PanelAccessTab(AppPreferences *prefs, QWidget *parent = nullptr);

public slots:
    void updateBehaviourParams();

private:
    AppPreferences *m_prefs;
    QButtonGroup *m_hiding;
    QRadioButton *m_hide;
    QRadioButton *m_slideRight;
    QRadioButton *m_slideLeft;
    QCheckBox *m_quickAccess;
    QCheckBox *m_fadeOut;
    QCheckBox *m_startWithSystem;
    QCheckBox *m_keypad;
};
