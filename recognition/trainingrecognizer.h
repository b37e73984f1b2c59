#pragma once

#include "recognition/threadedrecognizer.h"

// The recognizer thread of the training pad: its handler keeps the writing sessions and
// trains the customised language named after trainingName ("-Customized" when empty).
class TrainingRecognizer : public ThreadedRecognizer
{
    Q_OBJECT
public:
    TrainingRecognizer(const RecognizerConfig &config, const QString &trainingName,
                       QObject *parent = nullptr);
    ~TrainingRecognizer() override;

protected:
    bool createHandler() override;

private:
    RecognizerConfig m_config;
    QString m_trainingName;
};
