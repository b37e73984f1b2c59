#pragma once

#include "keyboard/hangulcomposer.h"
#include "pad/inputwidget.h"

#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLocale>
#include <QMap>
#include <QPointer>

#include <cstddef>
#include <cstdint>

class QAbstractButton;
class QButtonGroup;
class QGridLayout;
class QStackedLayout;
class ScrivelKeyboardButton;
struct Key;
struct Keyboard;
struct KeyboardLayout;
struct KeyboardLayoutParser;
struct RecognizerConfig;

// The on-screen keyboard input widget: one page of key buttons per layout of
// the language's layout document, fed to the layout engine, whose keys and
// modifiers leave as results of characters and special key characters
// through exportModel. With a Korean layout typed jamo are composed into
// syllables, each change replacing what was delivered.
class ScrivelKeyboard final : public InputWidget
{
    Q_OBJECT
public:
    ScrivelKeyboard(const BehaviourSettings &behaviour, const ItemStyle &style,
                    QWidget *parent = nullptr);
    ~ScrivelKeyboard() override;

    // Loads the layout document of the language's keyboard configuration from
    // its "1<language>.rcc" package; error() and the English keyboard when the
    // language has no keyboard configuration, an empty widget when the document
    // cannot be read. The layout "default" shows after a load.
    void setLanguage(const LanguageEntry &language) override;
    // Reads a layout document in place of the loaded one; false (and an
    // empty widget) when it does not parse.
    bool loadDocument(const QByteArray &document);
    // Adds the standard and math layout buttons when the document has a
    // layout "math".
    void createPadButtons(QLayout *bar, QWidget *panel) override;
    void hideLayoutButtons();
    QObject *modelObject() override { return this; }

    // The id of the layout shown, empty when none is loaded.
    QString currentLayoutId() const;
    // The buttons of a layout in document order.
    QList<ScrivelKeyboardButton *> buttons(const QString &layoutId) const;
    bool isKoreanMode() const { return m_language == QLocale::Korean; }
    const HangulComposer &composer() const { return m_composer; }
    QLabel *compositionLabel() const { return m_compositionLabel; }
    QAbstractButton *standardLayoutButton() const { return m_standardButton; }
    QAbstractButton *mathLayoutButton() const { return m_mathButton; }

signals:
    void timeout();
    void error();

public slots:
    void callbackButtonPress();
    void callbackButtonRelease();
    void importModelEvent(const RecognitionResult &model) override;
    void importModelEvent();
    void switchToMathKb();
    void switchFromMathKb();
    void sendActionEvent();
    // A mouse button release seen by the system-wide hook.
    void globalMouseUp(const QPoint &point);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    static bool addLayoutGrid(KeyboardLayoutParser *parser, const char *id, const char *className,
                              void *self);
    static bool finishLayoutGrid(KeyboardLayoutParser *parser, const char *id,
                                 const char *className, KeyboardLayout *layout, void *self);
    static bool rowBegin(KeyboardLayoutParser *parser, const char *id, const char *className,
                         void *self);
    static bool rowEnd(KeyboardLayoutParser *parser, const char *id, const char *className,
                       void *self);
    static bool addKeyButton(KeyboardLayoutParser *parser, const char *id, const char *className,
                             Key *key, void *self);
    static bool updateKeyButton(Key *key, void *button);
    static bool keysymOutputCallback(Keyboard *keyboard, uint32_t keysym, uint32_t modifiers,
                                     void *self);
    static bool keyOutputCallback(Keyboard *keyboard, const char *text, size_t length, void *self);

    // False when the language has no keyboard configuration.
    bool loadKeyboardOf(const LanguageEntry &language);
    static QByteArray readLayoutDocument(const RecognizerConfig &config);
    bool parseDocument(const QByteArray &document);
    void clearKeyboard();
    void deleteLayoutButtons();
    ScrivelKeyboardButton *createKeyButton(Key *key);
    void placeKeyButton(const char *className, Key *key);
    bool showLayout(const QString &id);
    QString modifierPrefix(bool forText) const;
    void handleKey(uint32_t keysym, const QString &prefix);
    void handleText(const QString &text);
    void sendText(const QString &text);
    void emitKeyResult(const QString &text);
    void ensureCompositionLabel();
    void deleteCompositionLabel();
    void showModeButtons(bool composing);
    QWidget *panelWidget(const QString &name) const;

    Keyboard *m_keyboard = nullptr;
    QStackedLayout *m_stack = nullptr;
    QString m_firstLayoutId;
    QString m_readingLayoutId;
    int m_column = 0;
    int m_rowCount = 0;
    QHash<ScrivelKeyboardButton *, Key *> m_keys;
    QMap<QString, QGridLayout *> m_grids;
    QMap<QString, QWidget *> m_pages;
    QString m_mathReturnId;
    QString m_pendingLayoutId;
    QPointer<QAbstractButton> m_standardButton;
    QPointer<QAbstractButton> m_mathButton;
    QPointer<QButtonGroup> m_layoutButtons;
    bool m_layoutButtonsHidden = false;
    bool m_altPressed = false;
    bool m_winPressed = false;
    int m_fontPixelSize = 12;
    QLocale::Language m_language = QLocale::AnyLanguage;
    HangulComposer m_composer;
    QPointer<QLabel> m_compositionLabel;
    QPointer<QHBoxLayout> m_compositionLayout;
};
