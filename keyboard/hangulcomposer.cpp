#include "keyboard/hangulcomposer.h"

#include "model/specialkeys.h"

#include <algorithm>
#include <iterator>

namespace {

// The compatibility jamo in the orders of Unicode syllable composition.
constexpr char16_t initials[] = {0x3131, 0x3132, 0x3134, 0x3137, 0x3138, 0x3139, 0x3141,
                                 0x3142, 0x3143, 0x3145, 0x3146, 0x3147, 0x3148, 0x3149,
                                 0x314A, 0x314B, 0x314C, 0x314D, 0x314E};
constexpr char16_t firstMedial = 0x314F;
constexpr char16_t lastMedial = 0x3163;
// Index i holds the final of index i + 1; index 0 means no final.
constexpr char16_t finals[] = {0x3131, 0x3132, 0x3133, 0x3134, 0x3135, 0x3136, 0x3137,
                               0x3139, 0x313A, 0x313B, 0x313C, 0x313D, 0x313E, 0x313F,
                               0x3140, 0x3141, 0x3142, 0x3144, 0x3145, 0x3146, 0x3147,
                               0x3148, 0x314A, 0x314B, 0x314C, 0x314D, 0x314E};
constexpr char16_t firstSyllable = 0xAC00;

struct Compound {
    char16_t first;
    char16_t second;
    char16_t compound;
};

constexpr Compound compoundMedials[] = {
    {0x3157, 0x314F, 0x3158}, {0x3157, 0x3150, 0x3159}, {0x3157, 0x3163, 0x315A},
    {0x315C, 0x3153, 0x315D}, {0x315C, 0x3154, 0x315E}, {0x315C, 0x3163, 0x315F},
    {0x3161, 0x3163, 0x3162}};

constexpr Compound compoundFinals[] = {
    {0x3131, 0x3145, 0x3133}, {0x3134, 0x3148, 0x3135}, {0x3134, 0x314E, 0x3136},
    {0x3139, 0x3131, 0x313A}, {0x3139, 0x3141, 0x313B}, {0x3139, 0x3142, 0x313C},
    {0x3139, 0x3145, 0x313D}, {0x3139, 0x314C, 0x313E}, {0x3139, 0x314D, 0x313F},
    {0x3139, 0x314E, 0x3140}, {0x3142, 0x3145, 0x3144}};

// -1 when c is no initial.
int initialIndex(char16_t c)
{
    const auto *found = std::find(std::begin(initials), std::end(initials), c);
    return found == std::end(initials) ? -1 : int(found - std::begin(initials));
}

// -1 when c is no medial.
int medialIndex(char16_t c)
{
    return c >= firstMedial && c <= lastMedial ? c - firstMedial : -1;
}

// 0 when c is no final.
int finalIndex(char16_t c)
{
    const auto *found = std::find(std::begin(finals), std::end(finals), c);
    return found == std::end(finals) ? 0 : int(found - std::begin(finals)) + 1;
}

bool isJamo(char16_t c)
{
    return initialIndex(c) >= 0 || medialIndex(c) >= 0 || finalIndex(c) > 0;
}

char16_t syllable(int initial, int medial, int final)
{
    return char16_t(firstSyllable + (initial * 21 + medial) * 28 + final);
}

// The compound of first and second; 0 when they form none.
template<size_t N>
char16_t combine(const Compound (&table)[N], char16_t first, char16_t second)
{
    for (const Compound &entry : table) {
        if (entry.first == first && entry.second == second)
            return entry.compound;
    }
    return 0;
}

// The parts of a compound; null when c is no compound.
template<size_t N>
const Compound *split(const Compound (&table)[N], char16_t c)
{
    for (const Compound &entry : table) {
        if (entry.compound == c)
            return &entry;
    }
    return nullptr;
}

QString text(char16_t c)
{
    return QString(QChar(c));
}

} // namespace

HangulComposer::HangulComposer(QObject *parent) : QObject(parent) {}

QString HangulComposer::shown() const
{
    return m_state == Idle ? QString() : text(m_shown);
}

void HangulComposer::composeText(const QString &text)
{
    if (text.size() >= 2) {
        emit output(text);
        endComposition();
    } else if (text.size() == 1) {
        composeJamo(text.at(0).unicode());
    }
}

bool HangulComposer::composeKeysym(const QString &character)
{
    if (!m_panelRelease || m_state == Idle)
        return false;
    if (character == specialKeyText(SpecialKey::Backspace) && m_state >= Syllable) {
        composeBackspace();
        return true;
    }
    endComposition();
    return false;
}

void HangulComposer::endComposition()
{
    const bool wasShown = m_state != Idle;
    m_state = Idle;
    m_shown = 0;
    if (wasShown)
        emit shownChanged(QString());
    emit activeChanged(false);
}

void HangulComposer::mouseReleased(bool insidePanel)
{
    if (insidePanel) {
        m_panelRelease = true;
    } else if (m_state != Idle) {
        endComposition();
        m_panelRelease = false;
    }
}

void HangulComposer::composeJamo(char16_t c)
{
    switch (m_state) {
    case Idle:
        emit activeChanged(true);
        restartComposition(c);
        break;
    case LoneJamo:
        composeLoneJamo(c);
        break;
    case Syllable:
        composeSyllable(c);
        break;
    case SyllableWithFinal:
        composeSyllableWithFinal(c);
        break;
    }
    if (m_state == Idle)
        endComposition();
}

void HangulComposer::composeLoneJamo(char16_t c)
{
    const int initial = initialIndex(m_shown);
    const int medial = medialIndex(c);
    if (initial < 0 || medial < 0) {
        restartComposition(c);
        return;
    }
    m_medial = c;
    show(syllable(initial, medial, 0), Syllable);
    deliverComposed(text(m_shown));
}

void HangulComposer::composeSyllable(char16_t c)
{
    if (const char16_t compound = combine(compoundMedials, m_medial, c)) {
        const int initial = initialOfShown();
        m_medial = compound;
        show(syllable(initial, medialIndex(compound), 0), Syllable);
    } else if (const int final = finalIndex(c)) {
        m_final = c;
        show(char16_t(m_shown + final), SyllableWithFinal);
    } else {
        restartComposition(c);
        return;
    }
    deliverComposed(text(m_shown));
}

void HangulComposer::composeSyllableWithFinal(char16_t c)
{
    const char16_t open = char16_t(m_shown - finalIndex(m_final));
    if (const char16_t compound = combine(compoundFinals, m_final, c)) {
        m_final = compound;
        show(char16_t(open + finalIndex(compound)), SyllableWithFinal);
        deliverComposed(text(m_shown));
        return;
    }
    const int medial = medialIndex(c);
    if (medial < 0) {
        restartComposition(c);
        return;
    }
    // The final moves on as the initial of the next syllable; of a compound
    // final only its second part moves, the first stays behind.
    char16_t finished = open;
    char16_t moving = m_final;
    if (const Compound *parts = split(compoundFinals, m_final)) {
        finished = char16_t(open + finalIndex(parts->first));
        moving = parts->second;
    }
    m_medial = c;
    show(syllable(initialIndex(moving), medial, 0), Syllable);
    deliverComposed(text(finished) + text(m_shown));
}

void HangulComposer::composeBackspace()
{
    if (m_state == Syllable) {
        if (const Compound *parts = split(compoundMedials, m_medial)) {
            const int initial = initialOfShown();
            m_medial = parts->first;
            show(syllable(initial, medialIndex(m_medial), 0), Syllable);
        } else {
            show(initials[initialOfShown()], LoneJamo);
        }
    } else {
        const char16_t open = char16_t(m_shown - finalIndex(m_final));
        if (const Compound *parts = split(compoundFinals, m_final)) {
            m_final = parts->first;
            show(char16_t(open + finalIndex(m_final)), SyllableWithFinal);
        } else {
            show(open, Syllable);
        }
    }
    deliverComposed(text(m_shown));
}

void HangulComposer::restartComposition(char16_t c)
{
    emit output(text(c));
    if (isJamo(c)) {
        show(c, LoneJamo);
    } else {
        m_state = Idle;
        m_shown = 0;
        emit shownChanged(QString());
    }
}

void HangulComposer::deliverComposed(const QString &text)
{
    if (m_panelRelease) {
        emit output(specialKeyText(SpecialKey::Backspace));
        emit timeout();
    }
    emit output(text);
}

void HangulComposer::show(char16_t character, State state)
{
    m_shown = character;
    m_state = state;
    emit shownChanged(text(character));
}

int HangulComposer::initialOfShown() const
{
    return (m_shown - firstSyllable - 28 * medialIndex(m_medial)) / 588;
}
