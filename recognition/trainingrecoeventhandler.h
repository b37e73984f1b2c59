#pragma once

#include "recognition/recognizerconfig.h"
#include "recognition/threadedrecoeventhandler.h"

#include <QList>

// The handler of a training thread: keeps the writing sessions of the training texts, tells
// the pad which session to show and how many of its items are unwritten, stores the pad's
// ink into the sessions, saves them for a later run and trains a customised language.
//
// A writing session is a result whose words hold one character segment per training item:
// the item's text and a box stroke, beside which the user's ink is added.
class TrainingRecoEventHandler : public ThreadedRecoEventHandler
{
    Q_OBJECT
public:
    TrainingRecoEventHandler(zkId engine, const RecognizerConfig &config,
                             const QString &trainingName);
    ~TrainingRecoEventHandler() override;

    using ThreadedRecoEventHandler::updateRecognitionResultEvent;
    bool trainingProgress(int value, int bound) override;
    QString logPrefix() const override;

    // The labels of the first half of the sessions, concatenated: the lines of the personal
    // training file, which gives every line twice. Read from the GUI thread while idle.
    QString trainingText() const;
    int currentSession() const { return m_currentSession; }
    QList<RecognitionResult> sessions() const { return m_sessions; }

    void goToSession(int index);
    // Items of the session whose ink is only their box.
    int missingItemCount(int session) const;
    // Length of the current session's text.
    int currentItemCount() const;
    // Every item of the result as one sample of the training set.
    void feedTrainingSet(RecognitionResult result);

    // The sessions of the last suspension, in file order, up to the first missing file; a file
    // the engine cannot read gives an empty session.
    QList<RecognitionResult> loadSuspendedSessions(const QString &localeName,
                                                   const QString &userName);
    // The sessions of the personal training file (read twice) or else of the training data
    // file; a training data file that cannot be read leaves the handler unconfigured.
    QList<RecognitionResult> readTrainingTexts(const RecognizerConfig &config);
    // One session from one line: every UTF-16 unit an item, or the blank-separated words.
    static RecognitionResult sessionFromText(QString text, bool perCharacter);
    // "_<user> <locale>".
    QString trainedConfigName() const;
    // "<locale><user>-<index>.trainset" in the training folder.
    QString sessionFile(int index) const;
    // "<locale><user>-ak-iso.res".
    QString trainedResourceName() const;

signals:
    void missingItemNumber(int missing, int session);
    void writingSessionReady(int session, int count, RecognitionResult result);
    void allWritingComplete();
    // The customised language's name, or empty when the training failed.
    void trainingDone(QString languageName);
    void trainProgressBound(int bound);
    void trainProgressValue(int value);
    // Whether every session was stored; after a failure the session files do not outlive
    // the handler unless an earlier suspension succeeded.
    void suspendTrainingDone(bool stored);
    void continueSuspendedTraining(bool partlyWritten);

public slots:
    void updateRecognitionResultEvent(RecognitionResult result, QRectF optionalCharBox,
                                      bool isoMode) override;
    void recognize() override;
    void nextSession();
    void train();
    void suspendTraining();

private:
    bool hasCurrentSession() const;
    // The engine keeps no sample of an item without ink, nor anything of a session file it
    // cannot read: the saved sessions get their unwritten items back from the training texts.
    void completeSavedSessions(const RecognizerConfig &config);
    // Stores every session into its file and removes the files of sessions beyond them.
    bool storeSessions();
    void removeSessionFiles(int from);
    bool trainAndWriteConfig();

    bool m_keepSessionFiles = false;
    QString m_localeName;
    QString m_baseLanguageName;
    QString m_userName;
    int m_currentSession = -1;
    QList<RecognitionResult> m_sessions;
    int m_resumeIndex = -1;
};
