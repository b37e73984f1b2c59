#pragma once

#include "lang/writingdirection.h"
#include "model/recognitionresult.h"
#include "pad/inputwidget.h"
#include "pad/undotype.h"

#include <QList>
#include <QLocale>
#include <QMessageBox>
#include <QPainterPath>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <functional>
#include <memory>

class IMFIntegratorBase;
class Monitoring;
class PrefDialog;
class QAction;
class QActionGroup;
class QGridLayout;
class QHBoxLayout;
class QMenu;
class ResizeHandle;
class SkinReader;
class SvgUIButton;
class SvgUITextButton;
class SvgUIWidget;
struct LocalePrefs;

// The panel window: drawn from the skin, hosts one input widget, owns the text being written
// on bounded undo and redo stacks, publishes the current result to the widget and the output
// integrator, sends it to the target application, and runs training.
class MainFrame : public QWidget
{
    Q_OBJECT
public:
    static constexpr int StackCapacity = 10;

    explicit MainFrame(QWidget *parent = nullptr);
    ~MainFrame() override;

    // A show first keeps the panel on the work area and fits it to its docking mode (the login
    // keyboard keeps its place).
    void setVisible(bool visible) override;

    bool skinLoaded() const { return m_skinLoaded; }
    const SkinReader &skin() const { return *m_skin; }
    QList<RecognitionResult> undoStack() const { return m_undo; }
    QList<RecognitionResult> redoStack() const { return m_redo; }
    RecognitionResult currentResult() const { return m_undo.last(); }
    InputWidget *inputWidget() const { return m_inputWidget; }
    QAction *sendAction() const { return m_sendAction; }
    QAction *keypadAction() const { return m_keypadAction; }
    QAction *magicAction() const { return m_magicAction; }
    QAction *clearAction() const { return m_clearAction; }
    QMenu *languageMenu() const { return m_languageMenu; }
    QAction *trainingAction() const { return m_trainingAction; }
    QAction *settingsAction() const { return m_settingsAction; }
    QAction *languagesAction() const { return m_languagesAction; }
    QAction *dictionaryAction() const { return m_dictionaryAction; }
    // The preferences dialog last opened; null before the first.
    PrefDialog *prefDialog() const;
    // "Show" and "Hide" of the context menu; "Hide" is also the action of the close button.
    QAction *showAction() const { return m_showAction; }
    QAction *getHideAction() const { return m_hideAction; }
    // Tells whether the application counts the panel as hidden; without one the panel's own
    // visibility decides.
    void setHiddenStateQuery(std::function<bool()> query);
    QActionGroup *getLanguageGroup() const { return m_languageGroup; }
    QActionGroup *modeGroup() const { return m_modeGroup; }
    QMenu *contextMenu() const { return m_contextMenu; }
    SvgUITextButton *languageButton() const { return m_languageButton; }
    SvgUIButton *sendButton() const { return m_sendButton; }
    QSize baseSize() const { return m_baseSize; }
    void setBaseSize(const QSize &size) { m_baseSize = size; }
    QSize lastExpandedSize() const { return m_lastExpandedSize; }
    QPainterPath panelOutline() const { return m_outline; }
    bool isTraining() const;
    QString currentWritingLanguage() const;
    QLocale currentWritingLocale() const;
    WritingDirection writingDirection() const;
    // Where the last ink dump went; empty when none was written.
    QString lastDumpPath() const { return m_lastDumpPath; }
    QString lastDumpError() const { return m_lastDumpError; }

    // The widget of an input mode; null for a mode whose widget is not built.
    InputWidget *createInputWidget(int mode);
    // Hosts widget (the panel takes it) in place of the current one; null hosts none.
    void setInputWidget(InputWidget *widget, bool initial = false);
    void initInputWidget(InputWidget *widget);
    void applyWritingLanguage();
    // Writes the sample files of result when a writing pad is hosted; false when they failed.
    bool dumpInk(const RecognitionResult &result);
    void fitToAvailableGeometry(bool docked, bool rescale);
    // Brings a windowed rectangle that lies off the work area back to its middle, and one that
    // lies partly off it back inside.
    void ensureOnScreen();
    void placeSkinElements(bool visible, bool keyboardOnly);

signals:
    void exportModel(const RecognitionResult &model);
    void enableUndoButtons(UndoType type, bool enabled);
    void languageChanged(const QString &code);
    void paintDone();
    void resetGuideLinesX();
    void aboutRequested();
    // The preferences dialog was closed, accepted or not.
    void outOfPrefs();

public slots:
    void importModelEvent(const RecognitionResult &result);
    void undoEvent(UndoType type);
    // Delivers the current result and starts over; a delivery that failed keeps the text.
    void sendInput(bool sentToIntegrator);
    void sendInput();
    void manageSendButtonVisibility();
    void manageCalcButtonMode();
    // Offers "Show" while the panel counts as hidden, "Hide" otherwise.
    void enableVisibilityActions();
    // Asks the application to run the about box over the panel.
    void showAbout();
    // Opens the documentation's start page.
    void showHelp();
    // Opens the address where updates are found.
    void openStore();
    void toggleMiniKeyboardActEvent(bool checked);
    // Open the preferences dialog on a set of tabs.
    void showAllPreferences();
    void showDictionaryPreferences();
    void showDisplayPreferences();
    void showLanguagesPreferences();
    void showOnlyLanguagesPreferences();
    void updateRecoLocale();
    void changeMainInputMode(QAction *action);
    void updateMainInputMode(InputMode mode);
    // The on-screen keyboard alone, for the login screen: no other mode, no settings, no
    // full-screen writing and no layout buttons.
    void loginKeyboardMode();
    void inputWidgetConfigStatusEvent(InputStatus status);
    void correctionRequestAtPosEvent(int pos);
    void changeTrainingMode(QAction *trainingLanguageAction);
    void changeTrainingMode();
    void cancelTrainingMode(const QString &trainingName);
    void cancelTrainingMode();
    // The work area changed: the panel fits itself to it again.
    void screenChanged();
    // A pad asks for more room: the panel grows by the fractions fx and fy of its size, toward
    // the left for right-aligned text, within the screen.
    void expandScrivelEvent(float fx, float fy, Qt::Alignment align, bool forceExpandHeight);
    void expandScrivelEvent(float fx, float fy, Qt::Alignment align);
    void setDockingMode(bool docked);
    void updateLanguageMenu(const LocalePrefs &prefs, bool checkUnlisted);
    // Where a panel of rectangle r goes so as not to cover the protected screen line.
    QPoint preventOverlap(const QRect &r) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    InputWidget *createCalculatorWritepad(const BehaviourSettings &behaviour,
                                          const ItemStyle &style);
    void loadSkin();
    void createMenu(const LocalePrefs &prefs);
    void createTitleButtons();
    void createModeActions(int lastMode);
    void createLayouts();
    void lockMenusForTraining(bool locked);
    // Runs the preferences dialog modally on the tabs of mask; true when it was accepted.
    bool openPreferences(int mask, int current);
    void applyPreferences();
    void startTraining(QAction *languageAction);
    void buildPanelOutline();
    void createResizeHandles(bool docked);
    void filterTopPieces(bool on);
    void updateWindowMask();
    void pushUndo(const RecognitionResult &result, bool clearRedo);
    void pushRedo(const RecognitionResult &result);
    void updateUndoButtons();
    void publishCurrent();
    void resetText();
    void sendActionEvent();
    void clickModeButton(const char *name);
    SvgUIButton *skinButton(const char *name) const;
    SvgUIWidget *skinWidget(const char *name) const;
    void setSkinVisible(const char *name, bool visible) const;
    QMessageBox::StandardButton ask(const QString &text) const;

    std::unique_ptr<SkinReader> m_skin;
    bool m_skinLoaded = false;
    QList<RecognitionResult> m_undo;
    QList<RecognitionResult> m_redo;
    QPointer<InputWidget> m_inputWidget;
    IMFIntegratorBase *m_integrator = nullptr;
    QMenu *m_contextMenu = nullptr;
    QAction *m_helpAction = nullptr;
    QAction *m_storeAction = nullptr;
    QMenu *m_languageMenu = nullptr;
    QActionGroup *m_languageGroup = nullptr;
    QActionGroup *m_modeGroup = nullptr;
    SvgUITextButton *m_languageButton = nullptr;
    SvgUIButton *m_sendButton = nullptr;
    SvgUIWidget *m_leftSend = nullptr;
    SvgUIWidget *m_rightSend = nullptr;
    QGridLayout *m_inputLayout = nullptr;
    QMargins m_inputMargins;
    QHBoxLayout *m_padButtonBar = nullptr;
    QList<ResizeHandle *> m_handles;
    std::unique_ptr<Monitoring> m_drag;
    QPainterPath m_outline;
    QSize m_baseSize;
    QSize m_lastExpandedSize{-1, -1};
    bool m_expanding = false;
    bool m_loginKeyboard = false;
    QAction *m_sendAction = nullptr;
    QAction *m_keypadAction = nullptr;
    QAction *m_magicAction = nullptr;
    QAction *m_clearAction = nullptr;
    QAction *m_trainingAction = nullptr;
    QAction *m_settingsAction = nullptr;
    QAction *m_showAction = nullptr;
    QAction *m_hideAction = nullptr;
    std::function<bool()> m_hiddenStateQuery;
    QAction *m_languagesAction = nullptr;
    QAction *m_dictionaryAction = nullptr;
    QPointer<PrefDialog> m_prefDialog;
    QString m_languageBeforeTraining;
    QString m_lastDumpPath;
    QString m_lastDumpError;
};
