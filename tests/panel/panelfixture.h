#pragma once

#include "lang/localeprefs.h"
#include "pad/inputwidget.h"
#include "panel/panelservices.h"
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

// The application's side of the panel: the mode the panel starts in (none by default), the
// writing languages and the folder of the ink dumps; it records the modes of the input widgets
// whose settings the panel had loaded, and hands them the settings file when one is named.
class FixtureServices : public PanelServices
{
    Q_OBJECT
public:
    int lastMode = 0;
    LocalePrefs languages{QStringLiteral("en_US"), QStringLiteral("en_US "), QString()};
    QString folder;
    QList<int> loadedModes;
    QString settingsFile;
    void loadSettings(LocalePrefs *prefs, int *mode) override;
    void loadInputWidgetSettings(InputWidget *widget) override;
    QString applicationFolder() const override;
};

// A result of one word with its own pen stroke, so that it has ink.
RecognitionResult writtenResult(const QString &text);
QString textOf(const RecognitionResult &result);
