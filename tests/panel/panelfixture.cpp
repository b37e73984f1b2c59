#include "panelfixture.h"

#include "model/resultbuilding.h"
#include "model/segment.h"
#include "model/stroke.h"

#include <QSettings>

StubWidget::StubWidget(InputMode mode)
    : InputWidget(mode, BehaviourSettings(), ItemStyle())
{
}

void StubWidget::importModelEvent(const RecognitionResult &model)
{
    imported << model;
}

void StubWidget::enableUndoButtonsEvent(UndoType type, bool enabled)
{
    buttonStates << qMakePair(int(type), enabled);
}

void StubWidget::setOriginAt(int box)
{
    origins << box;
}

void StubWidget::sendActionEvent()
{
    emit timeout();
}

void RecordingIntegrator::update(const RecognitionResult &result)
{
    pending = textOf(result);
}

bool RecordingIntegrator::sendInput()
{
    if (!delivers)
        return false;
    delivered << pending;
    pending.clear();
    return true;
}

RecognitionResult writtenResult(const QString &text)
{
    QPainterPath path(QPointF(0, 0));
    path.lineTo(10, 10);
    return resultFromStroke(makePathStroke(path), text, ResultNode::Word, 1);
}

QString textOf(const RecognitionResult &result)
{
    return result.root().selectedCandidate().label();
}

void FixtureServices::loadSettings(LocalePrefs *prefs, int *mode)
{
    *prefs = languages;
    *mode = lastMode;
}

void FixtureServices::loadInputWidgetSettings(InputWidget *widget)
{
    loadedModes << widget->inputMode();
    if (!settingsFile.isEmpty()) {
        QSettings settings(settingsFile, QSettings::IniFormat);
        widget->loadSettings(settings);
    }
}

QString FixtureServices::applicationFolder() const
{
    return folder.isEmpty() ? PanelServices::applicationFolder() : folder;
}
