#include "skin/skinreader.h"

#include "skin/layeredlayout.h"
#include "skin/svguibutton.h"
#include "skin/svguiwidget.h"
#include "xml/xmlreading.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QIODevice>
#include <QRegularExpression>
#include <QStackedLayout>

namespace {

const QString skinVersion = QStringLiteral("0.1");

// An attribute that is absent or empty is not given.
bool given(const QXmlStreamAttributes &attributes, const char *name)
{
    return !attributes.value(QLatin1String(name)).isEmpty();
}

QString text(const QXmlStreamAttributes &attributes, const char *name)
{
    return attributes.value(QLatin1String(name)).toString();
}

// Base-10 numbers; a value that does not convert is 0.
int integer(const QXmlStreamAttributes &attributes, const char *name)
{
    return attributes.value(QLatin1String(name)).toInt();
}

float number(const QXmlStreamAttributes &attributes, const char *name)
{
    return attributes.value(QLatin1String(name)).toFloat();
}

// A span that is absent, 0 (or, unusable, negative) covers one row or column.
int span(const QXmlStreamAttributes &attributes)
{
    return qMax(1, integer(attributes, "span"));
}

// The numbers of a list like "12,31,45,12": the text cut at every run of non-digits.
QStringList numberParts(const QString &value)
{
    static const QRegularExpression separators(QStringLiteral("\\D+"));
    return value.split(separators, Qt::KeepEmptyParts);
}

} // namespace

struct SkinReader::GridCell
{
    QWidget *widget;
    int row;
    int column;
    int rowSpan;
    int columnSpan;
};

bool SkinReader::readSkinDocument(QIODevice *device, const QString &imageBase,
                                  Qt::LayoutDirection direction)
{
    if (imageBase.isEmpty() || !device)
        return false;
    m_direction = direction;
    m_imageBase = imageBase;
    m_xml.setDevice(device);
    while (!m_xml.atEnd()) {
        m_xml.readNext();
        if (!m_xml.isStartElement())
            continue;
        if (m_xml.name() == QLatin1String("scrivelskin")
            && m_xml.attributes().value(QLatin1String("version")) == skinVersion) {
            QList<QLayout *> layouts;
            readSkinLayout(layouts);
        } else {
            m_xml.raiseError(QCoreApplication::translate(
                                 "SkinReader",
                                 "The file is not an Scrivel Skin Config version %1 file.")
                                 .arg(skinVersion));
        }
    }
    return !m_xml.hasError();
}

QString SkinReader::errorDetail(const QString &fileName) const
{
    return QStringLiteral("%1 (%2, %3): %4")
        .arg(fileName)
        .arg(m_xml.lineNumber())
        .arg(m_xml.columnNumber())
        .arg(m_xml.errorString());
}

QLayout *SkinReader::layout(const QString &name) const
{
    return m_layouts.value(name);
}

QWidget *SkinReader::widget(const QString &name) const
{
    return m_widgets.value(name);
}

SvgUIWidget *SkinReader::svgWidget(const QString &name) const
{
    return qobject_cast<SvgUIWidget *>(widget(name));
}

SvgUIButton *SkinReader::button(const QString &name) const
{
    return qobject_cast<SvgUIButton *>(widget(name));
}

QString SkinReader::maskPart(const QString &name) const
{
    return m_maskParts.value(name);
}

float SkinReader::maskCoef(const QString &name) const
{
    return m_maskCoefs.value(name);
}

void SkinReader::readSkinLayout(QList<QLayout *> &layouts)
{
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == QLatin1String("path")) {
            m_paths.append(readSkinPath());
        } else if (m_xml.name() == QLatin1String("layout")) {
            if (QLayout *layout = readLayoutElement())
                layouts.append(layout);
        } else {
            skipUnknownElement(m_xml);
        }
    }
}

QLayout *SkinReader::readLayoutElement()
{
    const QStringView type = m_xml.attributes().value(QLatin1String("type"));
    if (type == QLatin1String("grid"))
        return readSkinGrid();
    QLayout *layout = nullptr;
    if (type == QLatin1String("layered"))
        layout = new LayeredLayout;
    else if (type == QLatin1String("stacked"))
        layout = new QStackedLayout;
    if (!layout) {
        skipUnknownElement(m_xml);
        return nullptr;
    }
    readLayoutOptions(layout);
    QList<QLayout *> children;
    readSkinLayout(children);
    if (auto *layered = qobject_cast<LayeredLayout *>(layout)) {
        for (QLayout *child : children)
            layered->addLayoutLayer(child);
        return layout;
    }
    // A stack shows each child layout on a page of its own.
    for (QLayout *child : children) {
        auto *page = new QWidget;
        page->resize(0, 0);
        page->setLayout(child);
        static_cast<QStackedLayout *>(layout)->addWidget(page);
    }
    return layout;
}

void SkinReader::readLayoutOptions(QLayout *layout)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (given(attributes, "name"))
        m_layouts.insert(text(attributes, "name"), layout);
    if (given(attributes, "spacing"))
        layout->setSpacing(integer(attributes, "spacing"));
    const QStringList margins = numberParts(text(attributes, "contentsMargings"));
    if (margins.size() != 4)
        return;
    const int left = margins.at(0).toInt();
    const int right = margins.at(2).toInt();
    layout->setContentsMargins(rightToLeft() ? right : left, margins.at(1).toInt(),
                               rightToLeft() ? left : right, margins.at(3).toInt());
}

QGridLayout *SkinReader::readSkinGrid()
{
    auto *grid = new QGridLayout;
    readLayoutOptions(grid);
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (given(attributes, "hspacing"))
        grid->setHorizontalSpacing(integer(attributes, "hspacing"));
    if (given(attributes, "vspacing"))
        grid->setVerticalSpacing(integer(attributes, "vspacing"));
    QList<GridCell> cells;
    QMap<int, int> columnStretches;
    int row = 0;
    int columns = 0;
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() != QLatin1String("row")) {
            skipUnknownElement(m_xml);
            continue;
        }
        row += readGridRow(row, cells, columnStretches, grid, columns);
    }
    placeCells(grid, cells, columnStretches, columns);
    return grid;
}

int SkinReader::readGridRow(int row, QList<GridCell> &cells, QMap<int, int> &columnStretches,
                            QGridLayout *grid, int &columns)
{
    const QXmlStreamAttributes rowAttributes = m_xml.attributes();
    const int rowSpan = span(rowAttributes);
    if (given(rowAttributes, "stretch"))
        grid->setRowStretch(row, integer(rowAttributes, "stretch"));
    int column = 0;
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() != QLatin1String("col")) {
            skipUnknownElement(m_xml);
            continue;
        }
        const QXmlStreamAttributes attributes = m_xml.attributes();
        const int columnSpan = span(attributes);
        if (given(attributes, "stretch"))
            columnStretches.insert(column, integer(attributes, "stretch"));
        if (QWidget *widget = readCellContents())
            cells.append({widget, row, column, rowSpan, columnSpan});
        column += columnSpan;
    }
    columns = qMax(columns, column);
    return rowSpan;
}

QWidget *SkinReader::readCellContents()
{
    QList<QWidget *> found;
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == QLatin1String("widget"))
            found.append(readSkinWidget());
        else if (m_xml.name() == QLatin1String("button"))
            found.append(readSkinButton());
        else
            skipUnknownElement(m_xml);
    }
    if (found.size() <= 1)
        return found.value(0);
    // The lookups hold guarded pointers, so the deleted widgets leave them too.
    qDeleteAll(found);
    m_xml.raiseError(QCoreApplication::translate(
        "SkinReader", "ScrivelSkin : Invalid number of widget for a grid layout cell"));
    return nullptr;
}

void SkinReader::placeCells(QGridLayout *grid, const QList<GridCell> &cells,
                            const QMap<int, int> &columnStretches, int columns)
{
    for (const GridCell &cell : cells) {
        const int column = rightToLeft() ? columns - cell.column - cell.columnSpan : cell.column;
        grid->addWidget(cell.widget, cell.row, column, cell.rowSpan, cell.columnSpan);
    }
    for (auto it = columnStretches.cbegin(); it != columnStretches.cend(); ++it)
        grid->setColumnStretch(rightToLeft() ? columns - 1 - it.key() : it.key(), it.value());
}

SkinPath SkinReader::readSkinPath()
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    SkinPath path;
    path.name = text(attributes, "name");
    path.width = int(number(attributes, "width"));
    path.height = int(number(attributes, "height"));
    path.anchor = text(attributes, "anchor").toLower();
    while (m_xml.readNextStartElement()) {
        const QXmlStreamAttributes step = m_xml.attributes();
        const auto point = [&step](const char *x, const char *y) {
            return QPointF(number(step, x), number(step, y));
        };
        if (m_xml.name() == QLatin1String("moveto"))
            path.path.moveTo(point("x", "y"));
        else if (m_xml.name() == QLatin1String("lineto"))
            path.path.lineTo(point("x", "y"));
        else if (m_xml.name() == QLatin1String("cubicto"))
            path.path.cubicTo(point("x1", "y1"), point("x2", "y2"), point("x3", "y3"));
        skipUnknownElement(m_xml);
    }
    return path;
}

SvgUIWidget *SkinReader::readSkinWidget()
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    const QString name = text(attributes, "name");
    const QString file = text(attributes, "file");
    SvgUIWidget *widget = nullptr;
    if (!name.isEmpty() && !file.isEmpty()) {
        widget = new SvgUIWidget(file, text(attributes, "element"), text(attributes, "clip"));
        if (given(attributes, "mask"))
            widget->setMaskSource(file, text(attributes, "mask"));
        m_widgets.insert(name, widget);
        readSkinWidgetOptions(widget, name);
    }
    skipUnknownElement(m_xml);
    return widget;
}

SvgUIButton *SkinReader::readSkinButton()
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    const QString name = text(attributes, "name");
    QString file = text(attributes, "file");
    auto *button = new SvgUIButton;
    if (!name.isEmpty() && !file.isEmpty()) {
        QString element = text(attributes, "element");
        QString clip = text(attributes, "clip");
        QString mask = text(attributes, "mask");
        const bool wholeFile = element.isEmpty() && clip.isEmpty();
        if (rightToLeft() && attributes.hasAttribute(QLatin1String("rtolPrefix"))) {
            // The right-to-left look comes from the prefixed artwork, not from mirroring.
            const QString prefix = text(attributes, "rtolPrefix");
            const auto prefixed = [&prefix](const QString &id) {
                return id.isEmpty() || id == QLatin1String("auto") ? id : prefix + id;
            };
            if (wholeFile) {
                file = prefix + file;
            } else {
                element = prefixed(element);
                clip = prefixed(clip);
                mask = prefixed(mask);
            }
            button->setLayoutDirection(Qt::LeftToRight);
        }
        button->resolveStateElement(file, element, clip);
        if (!mask.isEmpty()) {
            if (wholeFile && mask != QLatin1String("auto"))
                button->setMaskSource(mask, QStringLiteral("auto"));
            else
                button->setMaskSource(file, mask);
        }
        readSkinWidgetOptions(button, name);
        m_widgets.insert(name, button);
    }
    skipUnknownElement(m_xml);
    return button;
}

void SkinReader::readSkinWidgetOptions(QWidget *widget, const QString &name)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    const QStringList minimum = numberParts(text(attributes, "minSize"));
    if (minimum.size() == 2)
        widget->setMinimumSize(minimum.at(0).toInt(), minimum.at(1).toInt());
    const QStringView direction = attributes.value(QLatin1String("direction"));
    if (direction == QLatin1String("LeftToRight"))
        widget->setLayoutDirection(Qt::LeftToRight);
    else if (direction == QLatin1String("RightToLeft"))
        widget->setLayoutDirection(Qt::RightToLeft);
    if (given(attributes, "maskPart")) {
        QString part = text(attributes, "maskPart").toLower();
        if (rightToLeft()) {
            if (part.contains(QLatin1String("left")))
                part.replace(QLatin1String("left"), QLatin1String("right"));
            else
                part.replace(QLatin1String("right"), QLatin1String("left"));
        }
        m_maskParts.insert(name, part);
    }
    m_maskCoefs.insert(name, given(attributes, "maskCoef") ? number(attributes, "maskCoef")
                                                           : 0.5f);
}
