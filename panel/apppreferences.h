#pragma once

#include "pad/behavioursettings.h"
#include "pad/itemstyle.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QStringList>
#include <QVariantList>

class QAction;

// The user's preferences as the application holds them and the preferences dialog edits them.
struct AppPreferences
{
    ItemStyle style;
    BehaviourSettings behaviour;
    QSize windowedSize;
    QPoint windowedPosition;
    int dockedHeightWindowed = 0;
    QSize maximizedSize;
    QPoint maximizedPosition;
    int dockedHeightMaximized = 0;
    // The personal word list first, then the common one.
    QList<QStringList> dictionaries;
    // The personal words followed by the common words.
    QStringList allWords;
    // Kept for the preferences dialog; not stored.
    QVariantList dialogValues;
    bool dialogFlag = false;
    QPoint floatingMenuPosition;
    // The writing-language actions of the panel's menu, in menu order, and the checked one;
    // filled by the panel before it opens the preferences dialog, not stored.
    QList<QAction *> languageActions;
    QAction *activeLanguage = nullptr;
};
