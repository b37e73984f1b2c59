#include "skin/skinreader.h"

#include "skin/layeredlayout.h"
#include "skin/svguibutton.h"
#include "skin/svguiwidget.h"

#include <QBuffer>
#include <QGridLayout>
#include <QStackedLayout>
#include <QTest>

namespace {

const QString versionError =
    QStringLiteral("The file is not an Scrivel Skin Config version 0.1 file.");
const QString cellError =
    QStringLiteral("ScrivelSkin : Invalid number of widget for a grid layout cell");

// A document of the current version around body.
QByteArray skin(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE zkInkoraScrivelSkin>\n"
           "<scrivelskin version=\"0.1\">"
           + body + "</scrivelskin>\n";
}

// Reads a document and, at the end, deletes what it created: installed layouts go with
// their hosts, the rest is deleted by hand.
class Reading
{
public:
    explicit Reading(const QByteArray &document,
                     Qt::LayoutDirection direction = Qt::LeftToRight,
                     const QString &imageBase = QStringLiteral(":/data/images"))
    {
        QBuffer buffer;
        buffer.setData(document);
        buffer.open(QIODevice::ReadOnly);
        ok = reader.readSkinDocument(&buffer, imageBase, direction);
    }
    ~Reading()
    {
        qDeleteAll(m_hosts);
        for (const QString &name : reader.widgetNames()) {
            QWidget *widget = reader.widget(name);
            if (widget && !widget->parent())
                delete widget;
        }
        for (const QString &name : reader.layoutNames()) {
            QLayout *layout = reader.layout(name);
            if (layout && !layout->parent())
                delete layout;
        }
    }

    // Installs a top layout on a host widget, which then owns it and its widgets.
    QLayout *install(const QString &name)
    {
        QLayout *layout = reader.layout(name);
        if (layout && !layout->parent()) {
            auto *host = new QWidget;
            host->setLayout(layout);
            m_hosts.append(host);
        }
        return layout;
    }

    SkinReader reader;
    bool ok = false;

private:
    QList<QWidget *> m_hosts;
};

QByteArray grid(const QByteArray &attributes, const QByteArray &rows)
{
    return "<layout type=\"grid\" name=\"g\" " + attributes + ">" + rows + "</layout>";
}

QByteArray widget(const QByteArray &name, const QByteArray &extra = QByteArray())
{
    return "<widget name=\"" + name + "\" file=\"fixture\" element=\"flag\" " + extra + "/>";
}

struct CellPosition
{
    int row, column, rowSpan, columnSpan;
};

CellPosition positionOf(QGridLayout *layout, QWidget *widget)
{
    CellPosition p{-1, -1, 0, 0};
    const int index = layout->indexOf(widget);
    if (index >= 0)
        layout->getItemPosition(index, &p.row, &p.column, &p.rowSpan, &p.columnSpan);
    return p;
}

} // namespace

class TestSkinReader : public QObject
{
    Q_OBJECT
private slots:
    void errors_data();
    void errors();
    void errorDetailNamesThePlace();
    void missingInputsReadNothing();
    void outOfRangeNumbersAreRefused_data();
    void outOfRangeNumbersAreRefused();
    void margins_data();
    void margins();
    void gridPlacement_data();
    void gridPlacement();
    void cellsAndSkippedElements();
    void lastNameWins();
    void paths();
    void layeredAndStackedLayouts();
    void rightToLeftPrefix_data();
    void rightToLeftPrefix();
    void maskSources();
    void widgetOptions_data();
    void widgetOptions();
};

void TestSkinReader::errors_data()
{
    QTest::addColumn<QByteArray>("document");
    // Empty: any clear error of the XML reader.
    QTest::addColumn<QString>("message");
    QTest::newRow("version 0.10") << QByteArray("<scrivelskin version=\"0.10\"/>") << versionError;
    QTest::newRow("version 1.0") << QByteArray("<scrivelskin version=\"1.0\"/>") << versionError;
    QTest::newRow("no version") << QByteArray("<scrivelskin/>") << versionError;
    QTest::newRow("other root") << QByteArray("<skin version=\"0.1\"/>") << versionError;
    QTest::newRow("widget and button in a cell")
        << skin(grid("", "<row><col>" + widget("a")
                             + "<button name=\"b\" file=\"fixture\" element=\"send\"/>"
                               "</col></row>"))
        << cellError;
    QTest::newRow("two widgets in a nested cell")
        << skin("<layout type=\"layered\">"
                + grid("", "<row><col/><col>" + widget("a") + widget("b") + "</col></row>")
                + "</layout>")
        << cellError;
    QTest::newRow("truncated") << skin(grid("", "<row><col>" + widget("a") + "</col></row>"))
                                      .left(120)
                               << QString();
    QTest::newRow("not XML") << QByteArray("layout: mainLayout { grid }") << QString();
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11) << QString();
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("unclosed element") << skin("<layout type=\"grid\"><row>") << QString();
}

void TestSkinReader::errors()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, message);
    Reading reading(document);
    QVERIFY(!reading.ok);
    if (message.isEmpty())
        QVERIFY(!reading.reader.errorString().isEmpty());
    else
        QCOMPARE(reading.reader.errorString(), message);
}

void TestSkinReader::errorDetailNamesThePlace()
{
    Reading reading("<?xml version=\"1.0\"?>\n<scrivelskin version=\"2\"/>");
    QVERIFY(!reading.ok);
    QCOMPARE(reading.reader.errorDetail(QStringLiteral(":/data/skin/skin.xml")),
             QStringLiteral(":/data/skin/skin.xml (2, %1): %2")
                 .arg(reading.reader.columnNumber())
                 .arg(versionError));
    // The cell error names no deleted widget.
    Reading cell(skin(grid("", "<row><col>" + widget("a") + widget("b") + "</col></row>")));
    QVERIFY(!cell.ok);
    QVERIFY(!cell.reader.widget(QStringLiteral("a")));
    QVERIFY(!cell.reader.widget(QStringLiteral("b")));
}

void TestSkinReader::missingInputsReadNothing()
{
    Reading reading(skin(grid("", "<row><col>" + widget("a") + "</col></row>")),
                    Qt::LeftToRight, QString());
    QVERIFY(!reading.ok);
    QVERIFY(!reading.reader.layout(QStringLiteral("g")));
    QVERIFY(reading.reader.widgetNames().isEmpty());
    SkinReader noDevice;
    QVERIFY(!noDevice.readSkinDocument(nullptr, QStringLiteral(":/data/images"),
                                       Qt::LeftToRight));
}

void TestSkinReader::outOfRangeNumbersAreRefused_data()
{
    QTest::addColumn<QByteArray>("gridAttributes");
    QTest::addColumn<QByteArray>("cellAttributes");
    QTest::addColumn<QByteArray>("widgetAttributes");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("value");
    const QByteArray none;
    QTest::newRow("path width") << none << none << none
                                << QByteArray("<path name=\"p\" width=\"1e30\" height=\"8\"/>")
                                << "1e30";
    QTest::newRow("negative path height")
        << none << none << none << QByteArray("<path name=\"p\" width=\"8\" height=\"-5\"/>")
        << "-5";
    QTest::newRow("beyond double") << none << none << none
                                   << QByteArray("<path name=\"p\" width=\"1e400\"/>") << "1e400";
    QTest::newRow("path point")
        << none << none << none
        << QByteArray("<path name=\"p\"><moveto x=\"0\" y=\"-1e30\"/></path>") << "-1e30";
    QTest::newRow("path point not a number")
        << none << none << none
        << QByteArray("<path name=\"p\"><cubicto x1=\"1\" y1=\"1\" x2=\"1\" y2=\"1\" "
                      "x3=\"nan\" y3=\"1\"/></path>")
        << "nan";
    QTest::newRow("spacing") << QByteArray("spacing=\"99999999999\"") << none << none << none
                             << "99999999999";
    QTest::newRow("hspacing") << QByteArray("hspacing=\"1e30\"") << none << none << none << "1e30";
    QTest::newRow("vspacing") << QByteArray("vspacing=\"-2147483649\"") << none << none << none
                              << "-2147483649";
    QTest::newRow("margins") << QByteArray("contentsMargings=\"0,0,0,99999999999\"") << none
                             << none << none << "99999999999";
    QTest::newRow("column span") << none << QByteArray("span=\"2147483647\"") << none << none
                                 << "2147483647";
    QTest::newRow("column stretch") << none << QByteArray("stretch=\"1e30\"") << none << none
                                    << "1e30";
    QTest::newRow("minimum size") << none << none << QByteArray("minSize=\"10,999999999999\"")
                                  << none << "999999999999";
    QTest::newRow("mask coefficient") << none << none << QByteArray("maskCoef=\"2\"") << none
                                      << "2";
}

// A number out of range fails the read with an error naming it, and the read frees what it
// built so far.
void TestSkinReader::outOfRangeNumbersAreRefused()
{
    QFETCH(QByteArray, gridAttributes);
    QFETCH(QByteArray, cellAttributes);
    QFETCH(QByteArray, widgetAttributes);
    QFETCH(QByteArray, after);
    QFETCH(QString, value);
    const QByteArray rows = "<row><col " + cellAttributes + ">" + widget("a", widgetAttributes)
                            + "</col><col><button name=\"b\" file=\"fixture\" "
                              "element=\"send\"/></col></row>";
    Reading reading(skin("<layout type=\"layered\" name=\"top\">" + grid(gridAttributes, rows)
                         + "</layout>" + after));
    QVERIFY(!reading.ok);
    QVERIFY2(reading.reader.errorString().contains("\"" + value + "\""),
             qPrintable(reading.reader.errorString()));
    QVERIFY(reading.reader.errorString().contains(QStringLiteral("out of range")));
    for (const char *name : {"top", "g"})
        QVERIFY2(!reading.reader.layout(QLatin1String(name)), name);
    for (const char *name : {"a", "b"})
        QVERIFY2(!reading.reader.widget(QLatin1String(name)), name);
}

void TestSkinReader::margins_data()
{
    QTest::addColumn<QByteArray>("margins");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QMargins>("expected");
    const QMargins untouched = QGridLayout().contentsMargins();
    QTest::newRow("four") << QByteArray("12,31,45,12") << Qt::LeftToRight
                          << QMargins(12, 31, 45, 12);
    QTest::newRow("four, right to left") << QByteArray("12,31,45,12") << Qt::RightToLeft
                                         << QMargins(45, 31, 12, 12);
    QTest::newRow("any separators") << QByteArray("1; 2 x 3/4") << Qt::LeftToRight
                                    << QMargins(1, 2, 3, 4);
    QTest::newRow("three") << QByteArray("12,31,45") << Qt::LeftToRight << untouched;
    QTest::newRow("five") << QByteArray("1,2,3,4,5") << Qt::LeftToRight << untouched;
    // The minus sign separates: five parts.
    QTest::newRow("negative") << QByteArray("-5,1,2,3") << Qt::LeftToRight << untouched;
    QTest::newRow("trailing separator") << QByteArray("1,2,3,4,") << Qt::LeftToRight
                                        << untouched;
}

void TestSkinReader::margins()
{
    QFETCH(QByteArray, margins);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QMargins, expected);
    Reading reading(skin(grid("contentsMargings=\"" + margins + "\" spacing=\"3\"",
                              "<row><col/></row>")),
                    direction);
    QVERIFY(reading.ok);
    QLayout *layout = reading.reader.layout(QStringLiteral("g"));
    QVERIFY(layout);
    QCOMPARE(layout->contentsMargins(), expected);
    QCOMPARE(layout->spacing(), 3);
}

void TestSkinReader::gridPlacement_data()
{
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<int>("firstColumn");
    QTest::addColumn<int>("spanningColumn");
    QTest::addColumn<int>("stretchedColumn");
    // Four columns: "a" in column 0, "b" spanning columns 1 and 2 of the second row (which
    // covers two rows), a stretch of 5 on column 2.
    QTest::newRow("left to right") << Qt::LeftToRight << 0 << 1 << 2;
    QTest::newRow("right to left") << Qt::RightToLeft << 3 << 1 << 1;
}

void TestSkinReader::gridPlacement()
{
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(int, firstColumn);
    QFETCH(int, spanningColumn);
    QFETCH(int, stretchedColumn);
    // A span of 0 covers one row, and so does a negative one.
    const QByteArray rows = "<row stretch=\"2\"><col>" + widget("a")
                            + "</col><col/><col stretch=\"1\"/><col/></row>"
                              "<row span=\"2\"><col/><col span=\"2\">"
                            + widget("b") + "</col></row>"
                              "<row span=\"0\"><col/><col/><col stretch=\"5\"/></row>"
                              "<row span=\"-3\"><col span=\"-1\"/></row>"
                              "<row><col>" + widget("c") + "</col></row>";
    Reading reading(skin(grid("hspacing=\"4\" vspacing=\"6\"", rows)), direction);
    QVERIFY(reading.ok);
    auto *layout = qobject_cast<QGridLayout *>(reading.install(QStringLiteral("g")));
    QVERIFY(layout);
    QCOMPARE(layout->horizontalSpacing(), 4);
    QCOMPARE(layout->verticalSpacing(), 6);
    const CellPosition a = positionOf(layout, reading.reader.widget(QStringLiteral("a")));
    QCOMPARE(a.row, 0);
    QCOMPARE(a.column, firstColumn);
    const CellPosition b = positionOf(layout, reading.reader.widget(QStringLiteral("b")));
    QCOMPARE(b.row, 1);
    QCOMPARE(b.rowSpan, 2);
    QCOMPARE(b.column, spanningColumn);
    QCOMPARE(b.columnSpan, 2);
    // "c" starts after rows 0, 1-2, 3 and 4.
    QCOMPARE(positionOf(layout, reading.reader.widget(QStringLiteral("c"))).row, 5);
    // The later stretch of column 2 replaces the earlier; rows are not mirrored.
    QCOMPARE(layout->columnStretch(stretchedColumn), 5);
    QCOMPARE(layout->rowStretch(0), 2);
}

void TestSkinReader::cellsAndSkippedElements()
{
    const QByteArray rows =
        "<row><col/><col><note>x<widget name=\"hidden\" file=\"fixture\"/></note></col>"
        "<col><widget name=\"nofile\" element=\"flag\"/></col>"
        "<col><widget file=\"fixture\" element=\"flag\"/></col>"
        "<col><button file=\"fixture\" element=\"send\"/></col>"
        "<col>" + widget("kept") + "</col>"
        "<cell>" + widget("outside") + "</cell></row>"
        "<column><col>" + widget("inRow") + "</col></column>";
    Reading reading(skin("<style>" + widget("styled") + "</style>"
                         "<layout type=\"table\" name=\"t\">" + grid("", "") + "</layout>"
                         "<layout name=\"untyped\"/>" + grid("", rows)));
    QVERIFY2(reading.ok, qPrintable(reading.reader.errorString()));
    QCOMPARE(reading.reader.widgetNames(), QStringList{QStringLiteral("kept")});
    QCOMPARE(reading.reader.layoutNames(), QStringList{QStringLiteral("g")});
    auto *layout = qobject_cast<QGridLayout *>(reading.install(QStringLiteral("g")));
    // Only the kept widget and the nameless button sit in cells.
    QCOMPARE(layout->count(), 2);
    QCOMPARE(positionOf(layout, reading.reader.widget(QStringLiteral("kept"))).column, 5);
    auto *button = qobject_cast<SvgUIButton *>(layout->itemAtPosition(0, 4)->widget());
    QVERIFY(button);
    QVERIFY(button->file().isEmpty());
}

void TestSkinReader::lastNameWins()
{
    const QByteArray rows = "<row><col>" + widget("twice") + "</col><col>"
                            + widget("twice", "clip=\"sheet_third\"") + "</col></row>";
    Reading reading(skin("<layout type=\"grid\" name=\"cells\">" + rows + "</layout>"
                         + grid("spacing=\"3\"", "") + grid("spacing=\"7\"", "")));
    QVERIFY(reading.ok);
    QCOMPARE(reading.reader.layout(QStringLiteral("g"))->spacing(), 7);
    SvgUIWidget *last = reading.reader.svgWidget(QStringLiteral("twice"));
    QCOMPARE(last->clip(), QStringLiteral("sheet_third"));
    // The first reading of the name still sits in its cell.
    auto *cells = qobject_cast<QGridLayout *>(reading.install(QStringLiteral("cells")));
    QCOMPARE(cells->count(), 2);
    auto *first = qobject_cast<SvgUIWidget *>(cells->itemAtPosition(0, 0)->widget());
    QVERIFY(first && first != last);
    QVERIFY(first->clip().isEmpty());
}

void TestSkinReader::paths()
{
    Reading reading(skin("<path name=\"corner\" width=\"29.7\" height=\"8\" anchor=\"topRight\">"
                         "<moveto x=\"0\" y=\"0\"/><lineto x=\"29.5\" y=\"0\"/>"
                         "<curve x=\"3\"/>"
                         "<cubicto x1=\"29\" y1=\"4\" x2=\"20\" y2=\"8\" x3=\"0\" y3=\"8\"/>"
                         "</path>"
                         "<layout type=\"layered\" name=\"l\"><path name=\"inner\" width=\"x\"/>"
                         "</layout>"));
    QVERIFY(reading.ok);
    const QList<SkinPath> &paths = reading.reader.paths();
    QCOMPARE(paths.size(), 2);
    const SkinPath &corner = paths.at(0);
    QCOMPARE(corner.name, QStringLiteral("corner"));
    QCOMPARE(corner.width, 29);
    QCOMPARE(corner.height, 8);
    QCOMPARE(corner.anchor, QStringLiteral("topright"));
    QCOMPARE(corner.path.elementCount(), 5);
    QCOMPARE(corner.path.elementAt(1).x, 29.5);
    QCOMPARE(corner.path.elementAt(2).type, QPainterPath::CurveToElement);
    QCOMPARE(corner.path.currentPosition(), QPointF(0, 8));
    // A number that does not convert is 0.
    QCOMPARE(paths.at(1).name, QStringLiteral("inner"));
    QCOMPARE(paths.at(1).width, 0);
}

void TestSkinReader::layeredAndStackedLayouts()
{
    Reading reading(skin("<layout type=\"layered\" name=\"top\">"
                         + grid("", "<row><col>" + widget("a") + "</col></row>")
                         + "<layout type=\"stacked\" name=\"pages\">"
                           "<layout type=\"grid\" name=\"p1\"/><layout type=\"grid\" name=\"p2\"/>"
                           "</layout></layout>"));
    QVERIFY(reading.ok);
    auto *layered = qobject_cast<LayeredLayout *>(reading.install(QStringLiteral("top")));
    QVERIFY(layered);
    QCOMPARE(layered->count(), 2);
    QCOMPARE(layered->itemAt(0)->layout(), reading.reader.layout(QStringLiteral("g")));
    auto *stack = qobject_cast<QStackedLayout *>(reading.reader.layout(QStringLiteral("pages")));
    QVERIFY(stack);
    QCOMPARE(layered->itemAt(1)->layout(), stack);
    QCOMPARE(stack->count(), 2);
    QCOMPARE(stack->widget(1)->layout(), reading.reader.layout(QStringLiteral("p2")));
}

void TestSkinReader::rightToLeftPrefix_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("maskElement");
    QTest::addColumn<bool>("ownDirection");
    const QByteArray close = "element=\"close\" mask=\"close_mask\"";
    const QString fixture = QStringLiteral(":/data/images/fixture.svg");
    QTest::newRow("prefixed") << "rtolPrefix=\"ar_\" " + close << Qt::RightToLeft << fixture
                              << "ar_close" << "ar_close_mask" << true;
    QTest::newRow("no prefix attribute") << close << Qt::RightToLeft << fixture << "close"
                                         << "close_mask" << false;
    QTest::newRow("left to right") << "rtolPrefix=\"ar_\" " + close << Qt::LeftToRight
                                   << fixture << "close" << "close_mask" << false;
    QTest::newRow("empty prefix") << "rtolPrefix=\"\" " + close << Qt::RightToLeft << fixture
                                  << "close" << "close_mask" << true;
    QTest::newRow("auto mask stays auto")
        << QByteArray("rtolPrefix=\"ar_\" element=\"send\" mask=\"auto\"") << Qt::RightToLeft
        << fixture << "ar_send" << "ar_send" << true;
    QTest::newRow("whole files") << QByteArray("rtolPrefix=\"fix\" mask=\"auto\"")
                                 << Qt::RightToLeft << ":/data/images/fixfixture.svg" << ""
                                 << "" << true;
}

void TestSkinReader::rightToLeftPrefix()
{
    QFETCH(QByteArray, button);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QString, file);
    QFETCH(QString, element);
    QFETCH(QString, maskElement);
    QFETCH(bool, ownDirection);
    Reading reading(
        skin(grid("", "<row><col><button name=\"b\" file=\"fixture\" " + button
                          + "/></col></row>")),
        direction);
    QVERIFY(reading.ok);
    reading.install(QStringLiteral("g"));
    SvgUIButton *b = reading.reader.button(QStringLiteral("b"));
    QVERIFY(b);
    QCOMPARE(b->file(), file);
    QCOMPARE(b->element(), element);
    QCOMPARE(b->maskElement(), maskElement);
    QCOMPARE(b->testAttribute(Qt::WA_SetLayoutDirection), ownDirection);
    if (ownDirection)
        QCOMPARE(b->layoutDirection(), Qt::LeftToRight);
}

void TestSkinReader::maskSources()
{
    const QByteArray rows =
        "<row><col>" + widget("w", "mask=\"auto\"") + "</col>"
        "<col>" + widget("m", "mask=\"disc\"") + "</col>"
        "<col><button name=\"files\" file=\"fixpen\" mask=\"fixture\"/></col>"
        "<col><button name=\"own\" file=\"fixture\" element=\"send\" mask=\"disc\"/></col></row>";
    Reading reading(skin(grid("", rows)));
    QVERIFY(reading.ok);
    reading.install(QStringLiteral("g"));
    QCOMPARE(reading.reader.svgWidget(QStringLiteral("w"))->maskElement(), QStringLiteral("flag"));
    QCOMPARE(reading.reader.svgWidget(QStringLiteral("m"))->maskFile(),
             QStringLiteral(":/data/images/fixture.svg"));
    QCOMPARE(reading.reader.svgWidget(QStringLiteral("m"))->maskElement(), QStringLiteral("disc"));
    // Whole-file states: the mask names a file of its own.
    SvgUIButton *files = reading.reader.button(QStringLiteral("files"));
    QCOMPARE(files->maskFile(), QStringLiteral(":/data/images/fixture.svg"));
    SvgUIButton *own = reading.reader.button(QStringLiteral("own"));
    QCOMPARE(own->maskFile(), QStringLiteral(":/data/images/fixture.svg"));
    QCOMPARE(own->maskElement(), QStringLiteral("disc"));
    QCOMPARE(own->stateElement(QIcon::Normal, QIcon::On), QStringLiteral("send_on"));
}

void TestSkinReader::widgetOptions_data()
{
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QString>("maskPart");
    QTest::addColumn<float>("maskCoef");
    QTest::addColumn<int>("ownDirection"); // -1: none set
    QTest::newRow("none") << QByteArray() << Qt::LeftToRight << QSize(0, 0) << "" << 0.5f << -1;
    QTest::newRow("all") << QByteArray("minSize=\"30x20\" maskPart=\"TopLeft\" maskCoef=\"0.75\" "
                                       "direction=\"RightToLeft\"")
                         << Qt::LeftToRight << QSize(30, 20) << "topleft" << 0.75f
                         << int(Qt::RightToLeft);
    QTest::newRow("mirrored left") << QByteArray("maskPart=\"bottomLeft\"") << Qt::RightToLeft
                                   << QSize(0, 0) << "bottomright" << 0.5f << -1;
    QTest::newRow("mirrored right") << QByteArray("maskPart=\"topRight\"") << Qt::RightToLeft
                                    << QSize(0, 0) << "topleft" << 0.5f << -1;
    QTest::newRow("left wins") << QByteArray("maskPart=\"leftRight\"") << Qt::RightToLeft
                               << QSize(0, 0) << "rightright" << 0.5f << -1;
    QTest::newRow("bad values") << QByteArray("minSize=\"30\" direction=\"up\" maskCoef=\"x\"")
                                << Qt::LeftToRight << QSize(0, 0) << "" << 0.0f << -1;
}

void TestSkinReader::widgetOptions()
{
    QFETCH(QByteArray, options);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QSize, minimum);
    QFETCH(QString, maskPart);
    QFETCH(float, maskCoef);
    QFETCH(int, ownDirection);
    const QByteArray rows = "<row><col>" + widget("w", options)
                            + "</col><col><button name=\"b\" file=\"fixture\" element=\"send\" "
                            + options + "/></col></row>";
    Reading reading(skin(grid("", rows)), direction);
    QVERIFY(reading.ok);
    reading.install(QStringLiteral("g"));
    for (const char *name : {"w", "b"}) {
        QWidget *w = reading.reader.widget(QLatin1String(name));
        QVERIFY(w);
        QCOMPARE(w->minimumSize(), minimum);
        QCOMPARE(reading.reader.maskPart(QLatin1String(name)), maskPart);
        QCOMPARE(reading.reader.maskCoef(QLatin1String(name)), maskCoef);
        QCOMPARE(w->testAttribute(Qt::WA_SetLayoutDirection), ownDirection >= 0);
        if (ownDirection >= 0)
            QCOMPARE(int(w->layoutDirection()), ownDirection);
    }
    QCOMPARE(reading.reader.maskCoef(QStringLiteral("unknown")), 0.0f);
}

QTEST_MAIN(TestSkinReader)
#include "tst_skinreader.moc"
