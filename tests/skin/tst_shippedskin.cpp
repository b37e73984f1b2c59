#include "skin/skinreader.h"

#include "skin/svguibutton.h"
#include "skin/svguiwidget.h"

#include <QFile>
#include <QGridLayout>
#include <QImage>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString skinDocument = QStringLiteral(":/data/skin/skin.xml");

QString imageFile(const QString &name)
{
    return QStringLiteral(":/data/images/") + name;
}

// Every widget and button element of the shipped document, with its attributes.
QList<QXmlStreamAttributes> skinElements()
{
    QFile file(skinDocument);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QList<QXmlStreamAttributes> elements;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement
            && (xml.name() == QLatin1String("widget") || xml.name() == QLatin1String("button")))
            elements.append(xml.attributes());
    }
    return elements;
}

int elementCount(const QString &name)
{
    QFile file(skinDocument);
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&file);
    int count = 0;
    while (!xml.atEnd())
        count += xml.readNext() == QXmlStreamReader::StartElement && xml.name() == name;
    return count;
}

const QStringList stateSuffixes = {"_on", "_off", "_active_on", "_on_active", "_active_off",
                                   "_off_active", "_disabled_off", "_off_disabled",
                                   "_disabled_on", "_on_disabled"};

} // namespace

class TestShippedSkin : public QObject
{
    Q_OBJECT
private slots:
    void loadsWithTheLookedUpNames_data();
    void loadsWithTheLookedUpNames();
    void documentShape();
    void everyNamedIdExists();
    void statesShareTheirElementsBounds();
    void masksCoverTheirElements();
    void artworkIds_data();
    void artworkIds();
    void stateFiles_data();
    void stateFiles();
    void pictures_data();
    void pictures();
};

void TestShippedSkin::loadsWithTheLookedUpNames_data()
{
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::newRow("left to right") << Qt::LeftToRight;
    QTest::newRow("right to left") << Qt::RightToLeft;
}

void TestShippedSkin::loadsWithTheLookedUpNames()
{
    QFETCH(Qt::LayoutDirection, direction);
    QFile file(skinDocument);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    SkinReader reader;
    QVERIFY2(reader.readSkinDocument(&file, QStringLiteral(":/data/images"), direction),
             qPrintable(reader.errorDetail(skinDocument)));
    QWidget panel;
    panel.setLayout(reader.layout(QStringLiteral("mainLayout")));
    QWidget menu;
    menu.setLayout(reader.layout(QStringLiteral("floatingLayout")));
    for (const char *name : {"mainLayout", "inputLayout", "floatingLayout", "bottomLayout"})
        QVERIFY2(reader.layout(QLatin1String(name)), name);
    const char *widgets[] = {
        "topLeft", "topRight", "bottomLeft", "bottomRight", "left", "right", "bottom",
        "leftSend", "rightSend", "emptyModeButton", "onglet", "inputButtonsBar",
        "langButtonsBar", "minimizeButton", "buttonSpacer1", "buttonSpacer2", "sendButton",
        "menuButton", "fullScreenButton", "cursiveLRModeButton", "cursiveRLModeButton",
        "isoLRModeButton", "isoRLModeButton", "pinyinModeButton", "keyboardModeButton",
        "calculatorCalcModeButton", "calculatorFormulaModeButton", "keyboardKoModeButton",
        "floatingMenu", "keyboardBackground", "writeButtonWidget"};
    for (const char *name : widgets)
        QVERIFY2(reader.widget(QLatin1String(name)), name);
    QVERIFY(!reader.widget(QStringLiteral("modesBar")));
    QVERIFY(reader.button(QStringLiteral("onglet")));
    QVERIFY(!reader.svgWidget(QStringLiteral("onglet")));
    QVERIFY(reader.svgWidget(QStringLiteral("keyboardKoModeButton")));
    // The second mode bar, the rail of title buttons, is the one looked up.
    auto *rail = qobject_cast<QGridLayout *>(reader.layout(QStringLiteral("modeBarLayout")));
    QVERIFY(rail);
    QVERIFY(rail->indexOf(reader.widget(QStringLiteral("sendButton"))) >= 0);
    QCOMPARE(reader.layout(QStringLiteral("inputLayout"))->contentsMargins(),
             direction == Qt::LeftToRight ? QMargins(12, 31, 45, 12) : QMargins(45, 31, 12, 12));
    const QString send = direction == Qt::LeftToRight ? "send" : "ar_send";
    QCOMPARE(reader.button(QStringLiteral("sendButton"))->maskElement(), send + "_mask");
    QCOMPARE(reader.paths().size(), 4);
    QCOMPARE(reader.paths().at(0).anchor, QStringLiteral("topleft"));
    QCOMPARE(reader.paths().at(2).width, 10);
    // Every piece has a size of its own, so the layouts have a shape to show.
    panel.resize(panel.sizeHint());
    QVERIFY(panel.sizeHint().width() > 300);
    QVERIFY(panel.sizeHint().height() > 100);
}

void TestShippedSkin::documentShape()
{
    QCOMPARE(elementCount(QStringLiteral("path")), 4);
    QCOMPARE(elementCount(QStringLiteral("layout")), 9);
    QCOMPARE(elementCount(QStringLiteral("widget")), 31);
    QCOMPARE(elementCount(QStringLiteral("button")), 13);
}

void TestShippedSkin::everyNamedIdExists()
{
    const QList<QXmlStreamAttributes> elements = skinElements();
    QVERIFY(!elements.isEmpty());
    for (const QXmlStreamAttributes &attributes : elements) {
        const QString name = attributes.value(QLatin1String("name")).toString();
        const QString file = attributes.value(QLatin1String("file")).toString();
        QSvgRenderer svg(imageFile(file + QStringLiteral(".svg")));
        QVERIFY2(svg.isValid(), qPrintable(name));
        QStringList prefixes = {QString()};
        if (attributes.hasAttribute(QLatin1String("rtolPrefix")))
            prefixes.append(attributes.value(QLatin1String("rtolPrefix")).toString());
        // The drawn box has a whole size, or the piece is drawn squeezed and leaves seams.
        const QString clip = attributes.value(QLatin1String("clip")).toString();
        const QString drawn = clip.isEmpty() ? attributes.value(QLatin1String("element")).toString()
                                             : clip;
        const QSizeF box = svg.boundsOnElement(drawn).size();
        QVERIFY2(box.width() == int(box.width()) && box.height() == int(box.height()),
                 qPrintable(QStringLiteral("%1: %2 x %3")
                                .arg(drawn)
                                .arg(box.width())
                                .arg(box.height())));
        for (const char *kind : {"element", "clip", "mask"}) {
            const QString id = attributes.value(QLatin1String(kind)).toString();
            if (id.isEmpty() || id == QLatin1String("auto"))
                continue;
            for (const QString &prefix : prefixes)
                QVERIFY2(svg.elementExists(prefix + id),
                         qPrintable(QStringLiteral("%1: %2").arg(name, prefix + id)));
        }
    }
}

void TestShippedSkin::statesShareTheirElementsBounds()
{
    // Every state has its element's size; a clip cuts the same part of every state only
    // when they also lie over the same area.
    QSet<QString> clipped;
    for (const QXmlStreamAttributes &attributes : skinElements()) {
        if (!attributes.value(QLatin1String("clip")).isEmpty())
            clipped.insert(attributes.value(QLatin1String("element")).toString());
    }
    for (const char *file : {"skin.svg", "buttons.svg"}) {
        QSvgRenderer svg(imageFile(QLatin1String(file)));
        QFile source(imageFile(QLatin1String(file)));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&source);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString id = xml.attributes().value(QLatin1String("id")).toString();
            for (const QString &suffix : stateSuffixes) {
                const QString base = id.chopped(suffix.size());
                if (!id.endsWith(suffix) || !svg.elementExists(base))
                    continue;
                QCOMPARE(svg.boundsOnElement(id).size(), svg.boundsOnElement(base).size());
                if (clipped.contains(base))
                    QCOMPARE(svg.boundsOnElement(id), svg.boundsOnElement(base));
            }
        }
    }
}

void TestShippedSkin::masksCoverTheirElements()
{
    QSvgRenderer svg(imageFile(QStringLiteral("skin.svg")));
    for (const char *id : {"close", "fullScreen", "setup", "send", "ar_close", "ar_fullScreen",
                           "ar_setup", "ar_send", "mini_close"}) {
        const QString element = QLatin1String(id);
        QCOMPARE(svg.boundsOnElement(element + QStringLiteral("_mask")),
                 svg.boundsOnElement(element));
    }
}

void TestShippedSkin::artworkIds_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("ids");
    // Buttons look different when hovered, pressed and disabled.
    QTest::addColumn<QStringList>("stateful");
    const QStringList titleButtons = {"close", "fullScreen", "setup", "send"};
    QStringList titleMasks;
    for (const QString &id : titleButtons)
        titleMasks << id + "_mask" << "ar_" + id << "ar_" + id + "_mask";
    const QStringList mini = {"mini_send", "mini_write", "mini_select", "clear", "magic",
                              "mini_fullscreen", "mini_close"};
    QTest::newRow("skin") << "skin.svg"
                          << titleButtons + titleMasks + mini
                                 + QStringList{"borders", "mode_buttons", "bi_right_mask",
                                               "mini_close_mask", "pen_cursor", "pen_icon",
                                               "full_pen_icon", "separator", "pen_slider"}
                          << titleButtons + mini
                                 + QStringList{"ar_close", "ar_fullScreen", "ar_setup",
                                               "ar_send", "mode_buttons", "onglet"};
    const QStringList buttons = {"simple_button_45", "simple_button_70", "simple_button_100",
                                 "simple_button_130", "simple_button_180", "simple_button_250",
                                 "combo_button", "clear", "magic", "moon", "norm_kbd",
                                 "math_kbd"};
    QTest::newRow("buttons") << "buttons.svg" << buttons << buttons;
}

void TestShippedSkin::artworkIds()
{
    QFETCH(QString, file);
    QFETCH(QStringList, ids);
    QFETCH(QStringList, stateful);
    QSvgRenderer svg(imageFile(file));
    QVERIFY(svg.isValid());
    for (const QString &id : ids)
        QVERIFY2(svg.elementExists(id), qPrintable(id));
    for (const QString &id : stateful) {
        for (const char *state : {"", "_off", "_active_off", "_on", "_disabled_off"})
            QVERIFY2(svg.elementExists(id + QLatin1String(state)),
                     qPrintable(id + QLatin1String(state)));
    }
}

void TestShippedSkin::stateFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("left") << "arrow_left";
    QTest::newRow("right") << "arrow_right";
}

void TestShippedSkin::stateFiles()
{
    QFETCH(QString, name);
    SvgUIButton button;
    button.resolveStateElement(name, QString(), QString());
    QCOMPARE(button.stateElement(QIcon::Normal, QIcon::Off), imageFile(name + "_off.svg"));
    QCOMPARE(button.stateElement(QIcon::Normal, QIcon::On), imageFile(name + ".svg"));
    QCOMPARE(button.stateElement(QIcon::Active, QIcon::Off), imageFile(name + "_active_off.svg"));
    QCOMPARE(button.stateElement(QIcon::Disabled, QIcon::Off),
             imageFile(name + "_disabled_off.svg"));
}

void TestShippedSkin::pictures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    for (const char *icon : {"add_word", "edit_word", "del_word", "validate_word", "cancel_word"})
        QTest::newRow(icon) << QString::fromLatin1(icon) + ".png" << QSize(16, 16);
    QTest::newRow("dot") << "dot.png" << QSize(16, 16);
    QTest::newRow("cross") << "cross.png" << QSize(16, 16);
    QTest::newRow("pen cursor") << "pen_cursor.png" << QSize(32, 32);
}

void TestShippedSkin::pictures()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    const QImage image(imageFile(file));
    QCOMPARE(image.size(), size);
    QVERIFY(image.hasAlphaChannel());
}

QTEST_MAIN(TestShippedSkin)
#include "tst_shippedskin.moc"
