#pragma once

#include "skin/skinpath.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QXmlStreamReader>

class QGridLayout;
class QIODevice;
class QLayout;
class QWidget;
class SvgUIButton;
class SvgUIWidget;

// Reads a skin document into ready layouts of skinned widgets and buttons, looked up by name
// afterwards. The layouts and widgets are not owned: whoever installs a layout owns it.
class SkinReader final
{
public:
    SkinReader() = default;
    SkinReader(const SkinReader &) = delete;
    SkinReader &operator=(const SkinReader &) = delete;

    // Reads the whole document; false on the first error, or at once for an empty image
    // base or no device. In right-to-left writing grids are mirrored and left and right margins swapped.
    bool readSkinDocument(QIODevice *device, const QString &imageBase,
                          Qt::LayoutDirection direction);

    // The error text of the failed read, and where it happened.
    QString errorString() const { return m_xml.errorString(); }
    qint64 lineNumber() const { return m_xml.lineNumber(); }
    qint64 columnNumber() const { return m_xml.columnNumber(); }
    // "<file> (<line>, <column>): <error>".
    QString errorDetail(const QString &fileName) const;

    // Null, empty or 0 for a name the document lacks; a name read twice gives the last.
    QLayout *layout(const QString &name) const;
    QWidget *widget(const QString &name) const;
    SvgUIWidget *svgWidget(const QString &name) const;
    SvgUIButton *button(const QString &name) const;
    QString maskPart(const QString &name) const;
    float maskCoef(const QString &name) const;
    const QList<SkinPath> &paths() const { return m_paths; }
    QString imageBase() const { return m_imageBase; }
    QStringList layoutNames() const { return m_layouts.keys(); }
    QStringList widgetNames() const { return m_widgets.keys(); }

    // The readers of the document's elements, on the start element they read.
    void readSkinLayout(QList<QLayout *> &layouts);
    QLayout *readLayoutElement();
    QGridLayout *readSkinGrid();
    SkinPath readSkinPath();
    SvgUIWidget *readSkinWidget();
    SvgUIButton *readSkinButton();
    void readSkinWidgetOptions(QWidget *widget, const QString &name);

private:
    struct GridCell;

    void readLayoutOptions(QLayout *layout);
    // Reads one row of cells starting at row; answers the rows it covers.
    int readGridRow(int row, QList<GridCell> &cells, QMap<int, int> &columnStretches,
                    QGridLayout *grid, int &columns);
    QWidget *readCellContents();
    void placeCells(QGridLayout *grid, const QList<GridCell> &cells,
                    const QMap<int, int> &columnStretches, int columns);
    bool rightToLeft() const { return m_direction == Qt::RightToLeft; }
    // A numeric attribute: text that is no number reads as 0; a number outside [low, high]
    // is an error of the document.
    double bounded(const QXmlStreamAttributes &attributes, const char *name, double low,
                   double high);
    int integer(const QXmlStreamAttributes &attributes, const char *name, int low, int high);
    // A span that is absent, 0 (or, unusable, negative) covers one row or column.
    int span(const QXmlStreamAttributes &attributes);
    // The non-negative numbers of a list like "12,31,45,12".
    QList<int> integers(const QXmlStreamAttributes &attributes, const char *name);
    // Everything made since the read began, freed after a failed read.
    template <class T>
    T *built(T *object)
    {
        m_built.append(object);
        return object;
    }
    void discardBuilt();

    QXmlStreamReader m_xml;
    QMap<QString, QPointer<QLayout>> m_layouts;
    QMap<QString, QPointer<QWidget>> m_widgets;
    QMap<QString, QString> m_maskParts;
    QMap<QString, float> m_maskCoefs;
    QList<SkinPath> m_paths;
    QString m_imageBase;
    Qt::LayoutDirection m_direction = Qt::LeftToRight;
    QList<QPointer<QObject>> m_built;
};
