#pragma once

#include <QWidget>

class ColorButton;
class QCheckBox;
class QLabel;
class QSlider;
class QSpinBox;
struct AppPreferences;

// The "Ink" page of the preferences: automatic sending and its delay, sample ink for
// gestures, the ink thickness and the ink and background colours, written into the
// dialog's copy of the preferences as soon as a control changes.
class InkTab : public QWidget
{
    Q_OBJECT

public:
    explicit InkTab(AppPreferences *prefs, QWidget *parent = nullptr);

public slots:
    void updateInkParams();

private:
    AppPreferences *m_prefs;
    QCheckBox *m_autoSend;
    QLabel *m_slow;
    QLabel *m_fast;
    QSlider *m_speed;
    QCheckBox *m_animationInk;
    QSpinBox *m_thickness;
    ColorButton *m_inkColor;
    ColorButton *m_backgroundColor;
};
