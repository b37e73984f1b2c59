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

// Pixel sizes, spacings, margins and stretches beyond this are no sensible skin.
constexpr int MaxPixels = 100000;
constexpr int MaxSpan = 1000;

// Decimal number syntax, also for numbers too large for a double.
bool looksNumeric(QStringView value)
{
    static const QRegularExpression syntax(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    return syntax.match(value).hasMatch();
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
    if (!m_xml.hasError()) {
        m_built.clear();
        return true;
    }
    discardBuilt();
    return false;
}

QString SkinReader::errorDetail(const QString &fileName) const
{
    return QStringLiteral("%1 (%2, %3): %4")
        .arg(fileName)
        .arg(m_xml.lineNumber())
        .arg(m_xml.columnNumber())
        .arg(m_xml.errorString());
}

double SkinReader::bounded(const QXmlStreamAttributes &attributes, const char *name, double low,
                           double high)
{
    const QStringView value = attributes.value(QLatin1String(name));
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (ok && v >= low && v <= high)
        return v;
    if (ok || looksNumeric(value)) {
        m_xml.raiseError(QCoreApplication::translate(
                             "SkinReader",
                             "ScrivelSkin : The value \"%1\" of the attribute \"%2\" is out "
                             "of range (%3 to %4)")
                             .arg(value.toString(), QLatin1String(name))
                             .arg(low)
                             .arg(high));
    }
    return qBound(low, 0.0, high);
}

int SkinReader::integer(const QXmlStreamAttributes &attributes, const char *name, int low,
                        int high)
{
    return int(bounded(attributes, name, low, high));
}

int SkinReader::span(const QXmlStreamAttributes &attributes)
{
    return qMax(1, integer(attributes, "span", -MaxSpan, MaxSpan));
}

QList<int> SkinReader::integers(const QXmlStreamAttributes &attributes, const char *name)
{
    QList<int> values;
    for (const QString &part : numberParts(text(attributes, name))) {
        QXmlStreamAttributes one;
        one.append(QLatin1String(name), part);
        values.append(integer(one, name, 0, MaxPixels));
    }
    return values;
}

void SkinReader::discardBuilt()
{
    // Layouts first: their items point at widgets that may have no parent yet.
    for (const QPointer<QObject> &object : std::as_const(m_built)) {
        if (qobject_cast<QLayout *>(object))
            delete object.data();
    }
    for (const QPointer<QObject> &object : std::as_const(m_built))
        delete object.data();
    m_built.clear();
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
        layout = built(new LayeredLayout);
    else if (type == QLatin1String("stacked"))
        layout = built(new QStackedLayout);
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
        auto *page = built(new QWidget);
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
        layout->setSpacing(integer(attributes, "spacing", -1, MaxPixels));
    const QList<int> margins = integers(attributes, "contentsMargings");
    if (margins.size() != 4)
        return;
    const int left = margins.at(0);
    const int right = margins.at(2);
    layout->setContentsMargins(rightToLeft() ? right : left, margins.at(1),
                               rightToLeft() ? left : right, margins.at(3));
}

QGridLayout *SkinReader::readSkinGrid()
{
    auto *grid = built(new QGridLayout);
    readLayoutOptions(grid);
    const QXmlStreamAttributes attributes = m_xml.attributes();
    if (given(attributes, "hspacing"))
        grid->setHorizontalSpacing(integer(attributes, "hspacing", -1, MaxPixels));
    if (given(attributes, "vspacing"))
        grid->setVerticalSpacing(integer(attributes, "vspacing", -1, MaxPixels));
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
        grid->setRowStretch(row, integer(rowAttributes, "stretch", 0, MaxPixels));
    int column = 0;
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() != QLatin1String("col")) {
            skipUnknownElement(m_xml);
            continue;
        }
        const QXmlStreamAttributes attributes = m_xml.attributes();
        const int columnSpan = span(attributes);
        if (given(attributes, "stretch"))
            columnStretches.insert(column, integer(attributes, "stretch", 0, MaxPixels));
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
    path.width = integer(attributes, "width", 0, MaxPixels);
    path.height = integer(attributes, "height", 0, MaxPixels);
    path.anchor = text(attributes, "anchor").toLower();
    while (m_xml.readNextStartElement()) {
        const QXmlStreamAttributes step = m_xml.attributes();
        const auto point = [this, &step](const char *x, const char *y) {
            return QPointF(bounded(step, x, -MaxPixels, MaxPixels),
                           bounded(step, y, -MaxPixels, MaxPixels));
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
        widget = built(
            new SvgUIWidget(file, text(attributes, "element"), text(attributes, "clip")));
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
    auto *button = built(new SvgUIButton);
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
    const QList<int> minimum = integers(attributes, "minSize");
    if (minimum.size() == 2)
        widget->setMinimumSize(minimum.at(0), minimum.at(1));
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
    m_maskCoefs.insert(name, given(attributes, "maskCoef")
                                 ? float(bounded(attributes, "maskCoef", 0, 1))
                                 : 0.5f);
}
