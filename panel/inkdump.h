#pragma once

#include "model/recognitionresult.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// The three sample files of a sent result: a UNIPEN trace (".unp"), array initialiser tables
// of its character boxes (".txt") and a demonstration script (".itf").
class InkDump
{
public:
    // resources: the resource names of the pad's recognizer configuration.
    InkDump(const RecognitionResult &result, const QStringList &resources);

    QString unp() const { return m_unp; }
    QString txt() const { return m_txt; }
    QString itf() const { return m_itf; }

    // Writes the files into folder (made when missing) under one name of the time; a name in
    // use gets a counter, so that a later dump never overwrites an earlier one. The name's
    // path without extension, or an empty text with error set.
    QString write(const QString &folder, const QDateTime &time, QString *error) const;

    // A label inside double quotation marks: backslashes and quotation marks escaped.
    static QString quoted(const QString &label);

private:
    void addResources(const QStringList &resources);
    void addBox(const RecognitionResult &result, const Stroke &stroke, int index);
    void addPen(const Stroke &stroke, QRectF *active);

    QString m_unp;
    QString m_txt;
    QString m_itf;
};
