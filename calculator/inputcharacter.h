#pragma once

#include <QChar>
#include <QList>
#include <QString>

// One character of a calculator line and the positions of the recognised
// strokes it came from; no positions for characters the system inserts.
struct InputCharacter
{
    QChar character;
    QList<int> positions;
};

using InputCharacters = QList<InputCharacter>;

// Characters without positions, one per UTF-16 unit.
inline InputCharacters inputCharactersFromText(const QString &text)
{
    InputCharacters characters;
    for (const QChar c : text)
        characters.append({c, {}});
    return characters;
}
