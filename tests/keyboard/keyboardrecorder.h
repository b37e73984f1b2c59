#pragma once

#include "keyboard/key.h"
#include "keyboard/keyboard.h"
#include "keyboard/keyboardlayout.h"
#include "keyboard/keyboardlayoutparser.h"
#include "keyboard/keyvariant.h"
#include "keyboard/list.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QStringList>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

// Collects what a keyboard emits as readable lines: the text itself, or
// "keysym:<hex>/<modifiers>", followed by "@<mask>" while modifiers are active.
struct KeyboardRecorder {
    QStringList output;
    int stateChanges = 0;

    void record(Keyboard *keyboard, QString line)
    {
        if (const uint32_t active = keyboardModifierState(keyboard))
            line += QStringLiteral("@%1").arg(active);
        output << line;
    }

    void attach(Keyboard *keyboard)
    {
        keyboardAddKeyListener(keyboard, onText, this);
        addListener(keyboard, onKeysym, this);
        keyboardAddStateListener(keyboard, onState, this);
    }

    static bool onText(Keyboard *keyboard, const char *text, size_t length, void *self)
    {
        static_cast<KeyboardRecorder *>(self)->record(keyboard, QString::fromUtf8(text, qsizetype(length)));
        return false;
    }
    static bool onKeysym(Keyboard *keyboard, uint32_t keysym, uint32_t modifiers, void *self)
    {
        static_cast<KeyboardRecorder *>(self)->record(
            keyboard, QStringLiteral("keysym:%1/%2").arg(keysym, 0, 16).arg(modifiers));
        return false;
    }
    static bool onState(Keyboard *, void *self)
    {
        ++static_cast<KeyboardRecorder *>(self)->stateChanges;
        return false;
    }
};

// A keyboard read from a document, with its keys by "layout/key id".
struct LoadedKeyboard {
    Keyboard *keyboard = keyboardCreate();
    QHash<QString, Key *> keys;
    QString layoutId;
    bool parsed = false;

    explicit LoadedKeyboard(const QByteArray &document)
    {
        KeyboardLayoutParser *parser = keyboardLayoutParserCreate();
        parserAddLayoutBeginListener(parser, onLayoutBegin, this);
        addListener(parser, onKeyAdded, this);
        parsed = keyboardLayoutParserParse(parser, keyboard, document.constData(), size_t(document.size()));
        keyboardLayoutParserFree(parser);
    }
    ~LoadedKeyboard() { keyboardFree(keyboard); }
    LoadedKeyboard(const LoadedKeyboard &) = delete;
    LoadedKeyboard &operator=(const LoadedKeyboard &) = delete;

    static bool onLayoutBegin(KeyboardLayoutParser *, const char *id, const char *, void *self)
    {
        static_cast<LoadedKeyboard *>(self)->layoutId = QString::fromUtf8(id);
        return false;
    }
    static bool onKeyAdded(KeyboardLayoutParser *, const char *id, const char *, Key *key, void *self)
    {
        auto *loaded = static_cast<LoadedKeyboard *>(self);
        if (id)
            loaded->keys.insert(loaded->layoutId + QLatin1Char('/') + QString::fromUtf8(id), key);
        return false;
    }
};

// Captures what is written to standard error while it lives.
class StderrCapture
{
public:
    StderrCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        dup2(m_file.handle(), STDERR_FILENO);
    }
    ~StderrCapture() { restore(); }

    QByteArray text()
    {
        restore();
        QFile file(m_file.fileName());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        m_saved = -1;
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};

inline void click(Key *key)
{
    keyPress(key);
    keyRelease(key);
}

// The label of the variant the key shows now, "<none>" without one.
inline QString currentLabel(const Key *key)
{
    const KeyVariant *variant = keyCurrentVariant(key);
    return variant ? QString::fromUtf8(keyVariantLabel(variant)) : QStringLiteral("<none>");
}

inline QStringList layoutIds(const Keyboard *keyboard)
{
    QStringList ids;
    for (ListNode *node = keyboard->layouts->head; node; node = node->next)
        ids << QString::fromUtf8(keyboardLayoutId(static_cast<KeyboardLayout *>(node->value)));
    return ids;
}
