#include "modes/cursivedicoiconitem.h"

#include "pad/scrivelscene.h"
#include "platform/prompt.h"
#include "windows/userdictionaries.h"

#include <QCoreApplication>
#include <QDir>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPolygonF>

namespace {

QPainterPath starPath()
{
    const QPolygonF points{{50, 0},  {65, 32}, {100, 36}, {74, 61}, {81, 95},
                           {50, 78}, {19, 95}, {25, 61},  {0, 36},  {35, 32}};
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

QString dictionaryForm(const QString &word)
{
    if (word.size() > 1 && word.at(0).category() == QChar::Letter_Uppercase)
        return word.toLower();
    return word;
}

} // namespace

CursiveDicoIconItem::CursiveDicoIconItem(const QString &word, const ItemStyle &style,
                                         QGraphicsItem *parent)
    : StyledItem(style, parent), m_word(dictionaryForm(word)), m_star(starPath()),
      m_rect(m_star.boundingRect())
{
    setInDictionary(readPersonalDictionary().contains(m_word));
    setEnabled(true);
    setAcceptedMouseButtons(Qt::LeftButton);
}

void CursiveDicoIconItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QColor pen(Qt::red);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillPath(m_star, m_inDictionary ? pen : pen.lighter(190));
    painter->setPen(pen);
    painter->drawPath(m_star);
}

bool CursiveDicoIconItem::toggle()
{
    QStringList words;
    if (!readPersonalDictionary(&words)) {
        warn(QT_TRANSLATE_NOOP("CursiveDicoIconItem",
                               "Your personal dictionary \"%1\" cannot be read. "
                               "It is left as it is."));
        return false;
    }
    bool write = true;
    if (m_inDictionary)
        words.removeOne(m_word);
    else if (words.contains(m_word))
        write = false;
    else
        words.append(m_word.trimmed());
    if (write && !writePersonalDictionary(words)) {
        warn(QT_TRANSLATE_NOOP("CursiveDicoIconItem",
                               "Your personal dictionary \"%1\" could not be saved."));
        return false;
    }
    setInDictionary(!m_inDictionary);
    update();
    return true;
}

void CursiveDicoIconItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    toggle();
    if (auto *pad = qobject_cast<ScrivelScene *>(scene()))
        pad->notifyItemPressed();
    event->accept();
}

void CursiveDicoIconItem::warn(const char *text) const
{
    Prompt::message(QMessageBox::Warning, nullptr,
                    QCoreApplication::translate("CursiveDicoIconItem", "Inkora Scrivel"),
                    QCoreApplication::translate("CursiveDicoIconItem", text)
                        .arg(QDir::toNativeSeparators(personalDictionaryPath())),
                    QMessageBox::Ok, QMessageBox::Ok);
}

void CursiveDicoIconItem::setInDictionary(bool on)
{
    m_inDictionary = on;
    const char *text = on ? "Remove \"%1\" from dictionary" : "Add \"%1\" to dictionary";
    setToolTip(QCoreApplication::translate("CursiveDicoIconItem", text).arg(m_word));
}
