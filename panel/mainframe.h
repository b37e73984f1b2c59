#pragma once

#include "model/recognitionresult.h"
#include "pad/inputwidget.h"
#include "pad/undotype.h"
#include "pad/writingdirection.h"

#include <QList>
#include <QPointer>
#include <QSize>
#include <QWidget>

class IMFIntegratorBase;
class QAction;
class QActionGroup;
class SvgUIButton;
class SvgUIWidget;

// The panel window: hosts one input widget, owns the text being written on bounded undo and
// redo stacks, publishes the current result to the widget and the output integrator, and
// sends it to the target application.
class MainFrame : public QWidget
{
    Q_OBJECT
public:
    static constexpr int StackCapacity = 10;

    explicit MainFrame(QWidget *parent = nullptr);
    ~MainFrame() override;

    QList<RecognitionResult> undoStack() const { return m_undo; }
    QList<RecognitionResult> redoStack() const { return m_redo; }
    RecognitionResult currentResult() const { return m_undo.last(); }
    InputWidget *inputWidget() const { return m_inputWidget; }
    QAction *sendAction() const { return m_sendAction; }
    QAction *keypadAction() const { return m_keypadAction; }
    SvgUIButton *sendButton() const { return m_sendButton; }
    QSize baseSize() const { return m_baseSize; }
    void setBaseSize(const QSize &size) { m_baseSize = size; }
    QSize lastExpandedSize() const { return m_lastExpandedSize; }
    WritingDirection writingDirection() const;
    // Where the last ink dump went; empty when none was written.
    QString lastDumpPath() const { return m_lastDumpPath; }
    QString lastDumpError() const { return m_lastDumpError; }

    // Hosts widget (the panel takes it) in place of the current one; null hosts none.
    void setInputWidget(InputWidget *widget);
    // Writes the sample files of result when a writing pad is hosted; false when they failed.
    bool dumpInk(const RecognitionResult &result);

signals:
    void exportModel(const RecognitionResult &model);
    void enableUndoButtons(UndoType type, bool enabled);

public slots:
    void importModelEvent(const RecognitionResult &result);
    void undoEvent(UndoType type);
    // Delivers the current result and starts over; a delivery that failed keeps the text.
    void sendInput(bool sentToIntegrator);
    void sendInput();
    void manageSendButtonVisibility();
    void toggleMiniKeyboardActEvent(bool checked);

protected:
    QActionGroup *m_languageGroup = nullptr;
    SvgUIButton *m_sendButton = nullptr;
    SvgUIWidget *m_leftSend = nullptr;
    SvgUIWidget *m_rightSend = nullptr;

private:
    void pushUndo(const RecognitionResult &result, bool clearRedo);
    void pushRedo(const RecognitionResult &result);
    void updateUndoButtons();
    void publishCurrent();
    void resetText();
    void requestSend();

    QList<RecognitionResult> m_undo;
    QList<RecognitionResult> m_redo;
    QPointer<InputWidget> m_inputWidget;
    IMFIntegratorBase *m_integrator = nullptr;
    QSize m_baseSize;
    QSize m_lastExpandedSize{-1, -1};
    QAction *m_sendAction = nullptr;
    QAction *m_keypadAction = nullptr;
    QString m_lastDumpPath;
    QString m_lastDumpError;
};
