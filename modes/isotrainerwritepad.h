#pragma once

#include "pad/writepad.h"
#include "skin/svguitextbutton.h"

#include <QPointer>

class IsoTrainerUpdater;
class QDialog;
class QLabel;
class QTextEdit;
class TrainingDialog;
class TrainingRecoEventHandler;
class TrainingRecognizer;

// The writing pad of the training mode: the user writes the characters shown
// in the boxes, session after session, then launches the training of a
// customised language. Cancel, Suspend and Next follow the sessions' state;
// the training text may be edited before the first session.
class IsoTrainerWritepad : public Writepad
{
    Q_OBJECT
public:
    static const QString Title;

    // The training action belongs to the panel; it may be null.
    IsoTrainerWritepad(const BehaviourSettings &behaviour, const ItemStyle &style,
                       WritingDirection direction, QAction *trainingAction,
                       QWidget *parent = nullptr);
    ~IsoTrainerWritepad() override;

    void initialize() override;
    void createPadButtons(QLayout *bar, QWidget *panel) override;

    IsoTrainerUpdater *trainerUpdater() const;
    TrainingRecognizer *trainingRecognizer() const { return m_trainingRecognizer; }
    TrainingRecoEventHandler *trainingHandler() const;
    SvgUITextButton *cancelButton() const { return m_cancelButton; }
    SvgUITextButton *suspendButton() const { return m_suspendButton; }
    SvgUITextButton *nextSessionButton() const { return m_nextSessionButton; }
    QLabel *sessionLabel() const { return m_sessionLabel; }
    QDialog *editDialog() const { return m_editDialog; }
    QTextEdit *editText() const { return m_editText; }
    int sessionLength() const { return m_sessionLength; }
    bool isTrainerBound() const { return m_trainerBound; }
    // The dialog editing the training characters of the pad's language; bindRecognizer
    // builds it when the configuration reads a personal training file.
    void buildEditDialog();

signals:
    void doTraining();
    void trainingDone(QString trainedName);
    void exportTrainingModel(const RecognitionResult &model);
    void requestSuspendTraining();

public slots:
    void bindRecognizer(bool ok) override;
    void setConfig() override;
    void enableTrainerPadButtons(int missing, int written);
    void readyToWrite(int session, int count, const RecognitionResult &r);
    void proceedTraining();
    void endTraining(const QString &trainedName);
    void passByTrainingDialog(bool skip);
    void suspendTraining();
    // stored false: the sessions could not be saved; the user is told and training goes on.
    void suspendTrainingDone(bool stored);

private slots:
    void saveTrainingFile();

protected:
    void initializeSpecificConnections() override;
    QLayout *buildButtonBar() override;

private:
    SvgUITextButton *makeTextButton(const QString &text, const QString &toolTip, QLayout *row);
    void inform(const QString &text);
    QWidget *panelWindow() const;

    TrainingRecognizer *m_trainingRecognizer = nullptr;
    bool m_trainerBound = false;
    // Counts the handlers the pad was given; connections of an earlier one are stale.
    int m_binding = 0;
    QPointer<SvgUITextButton> m_cancelButton;
    QPointer<SvgUITextButton> m_suspendButton;
    QPointer<SvgUITextButton> m_nextSessionButton;
    QLabel *m_sessionLabel = nullptr;
    QAction *m_trainingAction;
    QPointer<QDialog> m_editDialog;
    QTextEdit *m_editText = nullptr;
    QString m_trainingLanguage;
    bool m_editedOnce = false;
    int m_sessionLength = 0;
};
