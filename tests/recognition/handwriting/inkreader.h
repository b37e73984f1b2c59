#pragma once

// Reads ink fixtures ("label L" lines, each followed by its strokes, one
// "x,y x,y ..." a line) as pen strokes and writing-pad models.

#include "model/recognitionresult.h"
#include "model/stroke.h"

#include <QFile>
#include <QMap>
#include <QPainterPath>

inline QMap<QString, QList<Stroke>> readInkFile(const QString &path)
{
    QMap<QString, QList<Stroke>> inks;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return inks;
    QString label;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith("label ")) {
            label = line.mid(6);
            continue;
        }
        QPainterPath path;
        for (const QString &pair : line.split(' ', Qt::SkipEmptyParts)) {
            const QPointF p(pair.section(',', 0, 0).toDouble(), pair.section(',', 1, 1).toDouble());
            if (path.elementCount() == 0)
                path.moveTo(p);
            else
                path.lineTo(p);
        }
        inks[label].append(makePathStroke(path));
    }
    return inks;
}

// The model a writing pad sends for ink not yet recognised: one word "#".
inline RecognitionResult unrecognisedModel(const QList<Stroke> &strokes)
{
    Segment character;
    for (const Stroke &s : strokes)
        character.addInk(InkRange::fromStroke(s));
    ResultNode leaf;
    leaf.setLabel(QStringLiteral("#"));
    leaf.setType(ResultNode::Character);
    character.appendCandidate(leaf);
    character.selectLastCandidate();
    Segment word;
    word.setInk(character.ink());
    ResultNode w;
    w.setType(ResultNode::Word);
    w.appendChild(character);
    word.appendCandidate(w);
    word.selectLastCandidate();
    Segment root;
    root.setInk(character.ink());
    ResultNode text;
    text.setType(ResultNode::Text);
    text.appendChild(word);
    root.appendCandidate(text);
    root.selectLastCandidate();
    RecognitionResult r;
    r.setRoot(root);
    return r;
}
