#pragma once

#include <QDialog>

class QProgressBar;
class TrainingRecognizer;

// The modal progress dialog shown while the training recognizer trains; it
// closes itself when the training is done.
class TrainingDialog : public QDialog
{
    Q_OBJECT
public:
    TrainingDialog(TrainingRecognizer *recognizer, QWidget *parent = nullptr);

    QProgressBar *progressBar() const { return m_bar; }

private:
    QProgressBar *m_bar;
};
