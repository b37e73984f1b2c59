#pragma once

#include "lang/writingdirection.h"
#include "pad/inputwidget.h"

#include <QActionGroup>
#include <QBasicTimer>
#include <QVariantMap>

class InstantRecognizer;
class LayeredLayout;
class MiniKeyboard;
class QHBoxLayout;
class ScrivelScene;
class ScrivelView;
class SvgUIButton;
class Updater;

// The input widget of the handwriting modes: embeds the writing scene and
// view, owns the pad controller that a mode creates and the text recognizer
// of the checked configuration, wires pen strokes to the controller and the
// controller to the recognizer, and scrolls through long ink with arrows.
class Writepad : public InputWidget
{
    Q_OBJECT
public:
    static constexpr int BaseMinimumWidth = 320;

    Writepad(InputMode mode, const BehaviourSettings &behaviour, const ItemStyle &style,
             WritingDirection direction, QAction *miniKeyboardAction, QWidget *parent = nullptr);
    ~Writepad() override;

    void initialize() override;
    void setLanguage(const LanguageEntry &language) override;
    QObject *modelObject() override;
    void loadSettings(QSettings &settings) override;
    void saveSettings(QSettings &settings) override;
    void setStyle(const ItemStyle &style) override;
    void setBehaviour(const BehaviourSettings &behaviour) override;

    // The recognizer configuration of the checked configuration.
    RecognizerConfig currentConfig() const;

    static void defaultLastConfig(QVariantMap &map);
    static void readLastConfig(QSettings &settings, QVariantMap &map);
    static void saveLastConfig(QSettings &settings, const QVariantMap &map);

    ScrivelScene *scene() const { return m_scene; }
    ScrivelView *view() const { return m_view; }
    Updater *updater() const { return m_updater; }
    InstantRecognizer *recognizer() const { return m_recognizer; }
    bool isRecognizerBound() const { return m_recognizerBound; }
    QActionGroup *configs() { return &m_configs; }
    QString lastConfig() const { return m_lastConfig; }
    WritingDirection direction() const { return m_direction; }
    MiniKeyboard *miniKeyboard() const { return m_miniKeyboard; }
    // Keys of the keyboard go to the pad controller.
    void attachMiniKeyboard(InputWidget *keyboard);
    SvgUIButton *prevButton() const { return m_prevButton; }
    SvgUIButton *nextButton() const { return m_nextButton; }
    bool atStart() const { return m_atStart; }
    bool atEnd() const { return m_atEnd; }
    float scrollSpeed() const { return m_scrollSpeed; }
    int scrollTarget() const { return m_scrollTarget; }

signals:
    void exportModelToUpdater(const RecognitionResult &model);

public slots:
    virtual void bindRecognizer(bool ok);
    virtual void setConfig();
    virtual void initializeConnections();
    void screenChanged() override;
    virtual void stopRecognitionEvent();
    void importModelEvent(const RecognitionResult &model) override;
    void importModelFromUpdaterEvent(const RecognitionResult &model);
    void toggleMiniKeyboard(bool show);
    void hideMiniKeyboardEvent();
    void getPrevBoxes();
    void getNextBoxes();

protected:
    // Each mode creates its pad controller here (setUpdater) and makes its
    // own connections.
    virtual void initializeSpecificConnections() = 0;
    virtual QLayout *buildButtonBar();
    virtual void updateButtonsVisibility();
    void setUpdater(Updater *updater) { m_updater = updater; }
    void setShowArrows(bool on) { m_showArrows = on; }
    bool showArrows() const { return m_showArrows; }
    void setBaseMinimumWidth(int width) { m_baseMinimumWidth = width; }
    int baseMinimumWidth() const { return m_baseMinimumWidth; }
    bool isRightToLeft() const { return m_rightToLeft; }
    // A skinned button on the pad's bar, triggering action when there is one.
    static SvgUIButton *makePadButton(const QString &element, QAction *action, QLayout *bar);

    void timerEvent(QTimerEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    SvgUIButton *makeArrow(const QString &element);
    void addMiniKeyboard(LayeredLayout *layers);
    // Shown only over an empty pad while the keypad action is checked.
    void updateMiniKeyboardVisibility(bool empty);
    void scrollBoxes(bool previous, SvgUIButton *arrow);
    void setOriginX(double x);
    double originX() const;

    QActionGroup m_configs;
    QString m_lastConfig;
    const WritingDirection m_direction;
    ScrivelScene *m_scene;
    ScrivelView *m_view;
    Updater *m_updater = nullptr;
    InstantRecognizer *m_recognizer = nullptr;
    bool m_recognizerBound = false;
    // Results of a recognizer replaced meanwhile carry an older number.
    int m_recognizerGeneration = 0;
    QAction *m_miniKeyboardAction;
    MiniKeyboard *m_miniKeyboard = nullptr;
    QHBoxLayout *m_miniKeyboardLayout = nullptr;
    QHBoxLayout *m_arrowLayout = nullptr;
    SvgUIButton *m_prevButton = nullptr;
    SvgUIButton *m_nextButton = nullptr;
    bool m_showArrows = false;
    bool m_rightToLeft = false;
    bool m_atStart = false;
    bool m_atEnd = false;
    float m_scrollSpeed = 0;
    bool m_tapScroll = false;
    float m_scrollDeceleration = 0;
    int m_scrollTarget = 0;
    QBasicTimer m_scrollTimer;
    int m_baseMinimumWidth = BaseMinimumWidth;
};
