#include "modes/isotrainerupdater.h"

#include "model/cutting.h"
#include "model/merging.h"
#include "model/resultbuilding.h"
#include "pad/strokeitem.h"

namespace {

constexpr int CurrentCharacter = 3;

} // namespace

IsoTrainerUpdater::IsoTrainerUpdater(const BehaviourSettings &behaviour, ScrivelScene *scene,
                                     Qt::Alignment writingDirection)
    : IsoUpdater(behaviour, scene, writingDirection)
{
    IsoTrainerUpdater::setBehaviour(behaviour);
}

int IsoTrainerUpdater::spareBoxCount() const
{
    return 0;
}

GestureSet IsoTrainerUpdater::gestureSetFor(const RecognitionResult &,
                                            const QList<StrokeItem *> &) const
{
    return 0;
}

void IsoTrainerUpdater::penUpEvent(StrokeItem *item)
{
    if (!item)
        return;
    item->unsetCursor();
    ScheduleTask task(item);
    processRequest(&task);
}

void IsoTrainerUpdater::ignoreInk()
{
    CheckTask check(UpdaterState::Processing);
    if (!fetchAnswerModel(check))
        return;
    UpdateTask update(check.model, 1, 0);
    processRequest(&update);
    FinalizeTask finalize(check.model, 0);
    processRequest(&finalize);
}

void IsoTrainerUpdater::oracleAppendEvent(int)
{
    ignoreInk();
}

void IsoTrainerUpdater::oracleInsertEvent(InkLocation, bool)
{
    ignoreInk();
}

void IsoTrainerUpdater::attachInk(const InkRange &range, bool update)
{
    CheckTask check(UpdaterState::Processing);
    if (!fetchAnswerModel(check))
        return;
    RecognitionResult character;
    const RecognitionResult model = rewrittenCharacter(check, range, update, true, &character);
    if (character.root().ink().isEmpty())
        return;
    UpdateTask task(model, 1, KeepProcessedStrokes);
    processRequest(&task);
    inactivity().start(TrainerInactivityDelay);
    emit updateRecognitionResult(model, QRectF(0, 0, 0, 0), false);
}

void IsoTrainerUpdater::oracleUpdateEvent(InkRange range)
{
    attachInk(range, true);
}

void IsoTrainerUpdater::oracleOverwriteEvent(InkRange range)
{
    attachInk(range, false);
}

void IsoTrainerUpdater::oracleEraseEvent(InkRange range)
{
    CheckTask check(UpdaterState::Processing);
    if (!fetchAnswerModel(check))
        return;
    QList<RecognitionResult> parts = splitResult(check.model, range);
    for (int i = 1; i < parts.size(); i += 2) {
        RecognitionResult replacement;
        for (QChar c : parts.at(i).root().selectedCandidate().label()) {
            const RecognitionResult box = resultFromStroke(
                makeBoxStroke(QRectF(0, 0, 1, 1), 0), QString(c), ResultNode::Character, 0);
            replacement = replacement.root().ink().isEmpty() ? box
                                                             : mergeResultInto(replacement, box, 0);
        }
        parts[i] = replacement;
    }
    const RecognitionResult result = layoutInBoxes(mergeResults(parts, 1), true);
    UpdateTask update(result, 1, 1);
    processRequest(&update);
    emit updateRecognitionResult(result, QRectF(0, 0, 0, 0), false);
}

void IsoTrainerUpdater::recoResultEvent(const RecognitionResult &)
{
    CheckTask check(UpdaterState::Processing);
    if (!fetchModel(UpdaterState::Processing, check))
        return;
    FinalizeTask finalize(check.model, 1);
    processRequest(&finalize);
}

void IsoTrainerUpdater::importModelEvent(const RecognitionResult &imported)
{
    Updater::importModelEvent(imported);
    CheckTask check(UpdaterState::Idle);
    if (!fetchModel(UpdaterState::Idle, check))
        return;
    inactivity().stop();
    UpdateIdle task(layoutInBoxes(imported, true), 1);
    processRequest(&task);
}

void IsoTrainerUpdater::inactivityTimerEvent()
{
    inactivity().stop();
    CheckTask check(UpdaterState::Idle);
    if (!fetchModel(UpdaterState::Idle, check))
        return;
    RecognitionResult model = check.model;
    model.storeInkOfType(CurrentCharacter, InkRange());
    UpdateIdle task(model, 1);
    processRequest(&task);
}
