#pragma once

#include "modes/isoupdater.h"

// The pad controller of the training pad: the boxes hold the characters the
// user is asked to write, which come as an imported model. The pen ink is
// attached to the expected character of its box, never recognised, and the
// whole model goes to the training recognizer after every edit.
class IsoTrainerUpdater : public IsoUpdater
{
    Q_OBJECT
public:
    static constexpr int TrainerInactivityDelay = 750;

    IsoTrainerUpdater(const BehaviourSettings &behaviour, ScrivelScene *scene,
                      Qt::Alignment writingDirection);

    int spareBoxCount() const override;

public slots:
    void penUpEvent(StrokeItem *item) override;
    void recoResultEvent(const RecognitionResult &answer) override;
    void importModelEvent(const RecognitionResult &model) override;
    void inactivityTimerEvent() override;
    void oracleUpdateEvent(InkRange range) override;
    void oracleOverwriteEvent(InkRange range) override;
    void oracleAppendEvent(int count) override;
    void oracleInsertEvent(InkLocation location, bool join) override;
    void oracleEraseEvent(InkRange range) override;

protected:
    bool watchesOracle() const override { return false; }
    GestureSet gestureSetFor(const RecognitionResult &model,
                             const QList<StrokeItem *> &strokes) const override;

private:
    // Ink outside the expected characters is not taken.
    void ignoreInk();
    void attachInk(const InkRange &range, bool update);
};
