#pragma once

#include "recognition/inputmode.h"

#include <QString>

class LanguageEntry;
class QAction;
class QActionGroup;
class QMenu;
class QXmlStreamReader;
struct LocalePrefs;

// True when the text starts with "_": a language or configuration made by training.
bool hasUnderscorePrefix(const QString &text);
// Everything before the last blank; a text without blank comes back unchanged.
QString labelHead(const QString &text);
// Everything after the last blank; a text without blank comes back unchanged.
QString labelTail(const QString &text);
// Orders actions by their text.
bool textLessThan(const QAction *a, const QAction *b);
// The text translated in the context "ConfigRepository".
QString translateRepository(const char *text, const char *comment = nullptr);

// Loads the configurations of the language for the mode (every mode for UnknownMode) into the
// group, then checks the actions whose text is `label`, or the first one when none is. A
// customised language reads its own document from the training folder first and then the
// built-in documents of the language it was trained from. The language package is registered
// only while its documents are read.
void loadConfigs(QXmlStreamReader &reader, const LanguageEntry &language, InputMode mode,
                 const QString &label, QActionGroup *group);
// Fills the group with one checkable action per installed and per customised language, sorted
// by text, and checks the active one (see the preference record for the three lists).
// With `checkUnlisted` a language missing from the detected list is shown, and checked only
// when the active language is not installed.
void buildLanguageMenu(const LocalePrefs &languages, QActionGroup *group, bool checkUnlisted);
// The language preferences from the actions of a writing-language menu, as buildLanguageMenu
// reads them; each action's data holds a language label.
LocalePrefs collectLocalePrefs(const QActionGroup *languages);
// Names every language action: the language alone when it has one action, with its country
// code when it has several; customised ones are marked as such.
void updateLanguageActionTexts(QActionGroup *group);
// Whether the group has a customised language action for the locale that ends `name`.
bool findCustomizedLanguage(QActionGroup *group, const QString &name);
// Clears the menu and adds every action of the group to it, in group order.
void fillConfigMenu(QActionGroup *group, QMenu *menu);
