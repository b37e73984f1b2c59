#pragma once

#include <QObject>
#include <QString>

// Assembles typed Hangul compatibility jamo into syllables. Every key reaches
// the target at once; when a later key changes the syllable, the composer
// replaces what it delivered (a backspace, then the new form).
class HangulComposer final : public QObject
{
    Q_OBJECT
public:
    enum State {
        Idle = 0,              // no composition
        LoneJamo = 1,          // one jamo shown
        Syllable = 2,          // initial and medial
        SyllableWithFinal = 3  // initial, medial and final
    };

    explicit HangulComposer(QObject *parent = nullptr);

    State state() const { return m_state; }
    // The lone jamo or the syllable being built; empty exactly in Idle.
    QString shown() const;
    // Set by a mouse release inside the panel: the target has the
    // delivered text, so a changed form is preceded by a backspace.
    bool panelRelease() const { return m_panelRelease; }
    void setPanelRelease(bool set) { m_panelRelease = set; }

    // A key text: one character is composed; a longer text (modifier or
    // special key characters, several characters) is sent as it is and ends
    // the composition; an empty text does nothing.
    void composeText(const QString &text);
    // The special key character of a keysym while composing. True when the
    // composer consumed it: a backspace takes back the last jamo of a
    // syllable. Any other key ends the composition and is left to the caller.
    bool composeKeysym(const QString &character);
    // Forgets the composition; what was delivered stays in the target.
    void endComposition();
    // A mouse button release seen anywhere: inside the panel it sets the
    // panel-release flag, outside it ends a composition and clears the flag.
    void mouseReleased(bool insidePanel);

signals:
    // A text for the target, each delivered on its own.
    void output(const QString &text);
    // Raised between the backspace and the new form of a delivery.
    void timeout();
    void shownChanged(const QString &shown);
    // True when a composition step begins from Idle, false when it ends.
    void activeChanged(bool active);

private:
    void composeJamo(char16_t c);
    void composeLoneJamo(char16_t c);
    void composeSyllable(char16_t c);
    void composeSyllableWithFinal(char16_t c);
    void composeBackspace();
    void restartComposition(char16_t c);
    void deliverComposed(const QString &text);
    void show(char16_t character, State state);
    int initialOfShown() const;

    State m_state = Idle;
    char16_t m_shown = 0;
    char16_t m_medial = 0;
    char16_t m_final = 0;
    bool m_panelRelease = false;
};
