#include "panel/inkdump.h"

#include "model/respacing.h"
#include "model/segment.h"

#include <QDir>
#include <QFile>

namespace {

QString num(double value)
{
    return QString::number(value, 'g', 6);
}

QString index2(int index)
{
    return QStringLiteral("%1").arg(index, 2, 10, QLatin1Char('0'));
}

// The character of a box stroke: the first word child whose ink meets the stroke.
Segment characterOfBox(const RecognitionResult &result, const Stroke &stroke)
{
    const InkRange box = InkRange::fromStroke(stroke);
    for (const Segment &word : result.root().segmentsOfType(1)) {
        const QList<Segment> children = word.selectedCandidate().children();
        for (const Segment &child : children) {
            if (box.intersects(child.ink()))
                return child;
        }
    }
    return Segment();
}

QString trimmedPair(const QString &text)
{
    return text.left(text.size() - 2);
}

} // namespace

InkDump::InkDump(const RecognitionResult &result, const QStringList &resources)
{
    const RecognitionResult respaced = respaceResult(result, DropTrailing);
    const QString text = respaced.root().selectedCandidate().label();
    m_itf = QStringLiteral("StartPage\n");
    m_unp = QStringLiteral(".COORD X Y\n.SEGMENT ? ? ? ") + quoted(text) + QLatin1Char('\n');
    addResources(resources);
    QRectF active;
    int index = 0;
    // Rows of points (typed text) write nothing but take an index.
    for (const StrokeRange &piece : result.root().ink().pieces()) {
        if (!piece.hasInk())
            continue;
        const Stroke stroke = piece.stroke();
        if (stroke.kind() == Stroke::Box)
            addBox(result, stroke, index);
        else if (stroke.kind() == Stroke::Pen)
            addPen(stroke, &active);
        ++index;
    }
    m_itf += QStringLiteral("AddActiveBox %1 %2 %3 %4\n")
                 .arg(num(active.x()), num(active.y()), num(active.width()),
                      num(active.height()));
}

QString InkDump::quoted(const QString &label)
{
    QString escaped = label;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

void InkDump::addResources(const QStringList &resources)
{
    for (QString name : resources) {
        name.remove(QStringLiteral(":/data/languages"));
        name.replace(QLatin1Char('/'), QLatin1Char('\\'));
        m_itf += QStringLiteral("AddResource ") + name + QLatin1Char('\n');
    }
}

void InkDump::addBox(const RecognitionResult &result, const Stroke &stroke, int index)
{
    const ResultNode character = characterOfBox(result, stroke).selectedCandidate();
    const QString label = character.label();
    const QString score = num(character.score());
    const QRectF r = stroke.boundingRect();
    const QString i = index2(index);
    m_txt += QStringLiteral("r%1{ %2, %3, %4, %5 },\n")
                 .arg(i, num(r.x()), num(r.y()), num(r.width()), num(r.height()));
    m_txt += QStringLiteral("s%1{ ").arg(i)
             + trimmedPair(QStringLiteral("{%1, 1}, ").arg(quoted(label))) + QStringLiteral(" },\n");
    m_txt += QStringLiteral("p%1{ ").arg(i) + trimmedPair(score + QStringLiteral(", "))
             + QStringLiteral(" },\n");
    m_itf += QStringLiteral("AddCharacter %1 %2 %3 %4")
                 .arg(num(r.x()), num(r.y()), num(r.width()), num(r.height()))
             + QLatin1Char(' ') + label + QLatin1Char(' ') + score + QStringLiteral(" \n");
}

void InkDump::addPen(const Stroke &stroke, QRectF *active)
{
    m_unp += QStringLiteral(".PEN_DOWN\n");
    m_itf += QStringLiteral("AddStroke\n");
    *active = active->isEmpty() ? stroke.boundingRect() : active->united(stroke.boundingRect());
    const QPainterPath path = stroke.path();
    for (int k = 0; k < path.elementCount(); ++k) {
        const QPainterPath::Element e = path.elementAt(k);
        m_unp += num(e.x) + QLatin1Char('\t') + num(e.y) + QLatin1Char('\n');
        m_itf += num(e.x) + QLatin1Char(' ') + num(e.y) + QLatin1Char('\n');
    }
    m_unp += QStringLiteral(".PEN_UP\n");
}

QString InkDump::write(const QString &folder, const QDateTime &time, QString *error) const
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        *error = QStringLiteral("cannot make the folder %1").arg(QDir::toNativeSeparators(folder));
        return QString();
    }
    const QString stem = dir.filePath(time.toString(QStringLiteral("yyyy_MM_dd-hh_mm_ss")));
    const QStringList extensions{QStringLiteral(".unp"), QStringLiteral(".txt"),
                                 QStringLiteral(".itf")};
    QString base = stem;
    for (int n = 1;; ++n) {
        bool free = true;
        for (const QString &extension : extensions)
            free = free && !QFile::exists(base + extension);
        if (free)
            break;
        base = stem + QStringLiteral("-%1").arg(n);
    }
    const QString buffers[] = {m_unp, m_txt, m_itf};
    for (int k = 0; k < 3; ++k) {
        QFile file(base + extensions.at(k));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)
            || file.write(buffers[k].toUtf8()) < 0) {
            *error = QStringLiteral("cannot write %1").arg(QDir::toNativeSeparators(file.fileName()));
            return QString();
        }
    }
    return base;
}
