#pragma once

#include <QList>
#include <QWidget>

class QAction;
class QLabel;
class QListWidget;
class QPushButton;
struct AppPreferences;

// The "Languages" page of the preferences: the writing languages as check items (the checked
// ones are the working languages, applied to the language actions on accept) and the start
// of a training of the selected language.
class LanguageTab : public QWidget
{
    Q_OBJECT

public:
    explicit LanguageTab(AppPreferences *prefs, QWidget *parent = nullptr);

    bool hasCheckedLanguage() const;
    void warnNoLanguage();
    // Shows the checked languages' actions and hides the others; when the active language is
    // hidden, a visible one becomes checked.
    void applyLanguages();
    QPushButton *trainButton() const { return m_trainButton; }
    QListWidget *list() const { return m_list; }

signals:
    void startTrainingMode(QAction *languageAction);

public slots:
    void langItemSelectionChangedEvent();
    void prepareTrainingMode();

private:
    QList<QAction *> m_actions;
    AppPreferences *m_prefs;
    QListWidget *m_list;
    QPushButton *m_trainButton;
    QLabel *m_hint;
};
