#include "skin/svguitextbutton.h"

#include <QAction>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

namespace {

struct WidthClass
{
    int textBelow;
    QString element;
};

// The simple backgrounds by the width of their text.
const QList<WidthClass> widthClasses = {
    {30, "simple_button_45"},   {40, "simple_button_70"},   {65, "simple_button_100"},
    {105, "simple_button_130"}, {155, "simple_button_180"}, {INT_MAX, "simple_button_250"},
};

QString expectedBackground(int textWidth)
{
    for (const WidthClass &entry : widthClasses) {
        if (textWidth < entry.textBelow)
            return entry.element;
    }
    return QString();
}

int textWidth(const SvgUITextButton &button, const QString &text)
{
    return QFontMetrics(button.textFont()).horizontalAdvance(text);
}

qreal elementHeight(const QString &element)
{
    const QSvgRenderer buttons(QStringLiteral(":/data/images/buttons.svg"));
    return buttons.boundsOnElement(element).height();
}

} // namespace

class TestSvgUITextButton : public QObject
{
    Q_OBJECT
private slots:
    void modes_data();
    void modes();
    void widthClassFollowsText();
    void looks_data();
    void looks();
    void givenOffsetsAreKept();
    void triggeredActionIsShown();
    void textColours();
    void comboBackgroundsCarryNoArrow_data();
    void comboBackgroundsCarryNoArrow();
};

void TestSvgUITextButton::modes_data()
{
    QTest::addColumn<SvgUIButton::Mode>("mode");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain") << SvgUIButton::Plain << true;
    QTest::newRow("combo") << SvgUIButton::Combo << true;
    QTest::newRow("hand-over") << SvgUIButton::HandOver << false;
    QTest::newRow("drop-down") << SvgUIButton::DropDown << false;
}

void TestSvgUITextButton::modes()
{
    QFETCH(SvgUIButton::Mode, mode);
    QFETCH(bool, accepted);
    SvgUITextButton button;
    QVERIFY(button.setButtonMode(SvgUIButton::Combo));
    QCOMPARE(button.setButtonMode(mode), accepted);
    QCOMPARE(button.buttonMode(), accepted ? mode : SvgUIButton::Combo);
}

void TestSvgUITextButton::widthClassFollowsText()
{
    // Texts of a narrow letter, one more at a time, step through every class whatever the font.
    QSet<QString> seen;
    for (int length = 1; length <= 160; ++length) {
        SvgUITextButton button;
        const QString text(length, QLatin1Char('i'));
        button.updateSkinElement(text);
        const int width = textWidth(button, text);
        const QString background = expectedBackground(width);
        QCOMPARE(button.stateElement(QIcon::Active, QIcon::On), background);
        QCOMPARE(button.stateElement(QIcon::Normal, QIcon::Off), background + "_off");
        QCOMPARE(button.width(), width + 20);
        QCOMPARE(button.text(), text);
        seen.insert(background);
    }
    QCOMPARE(seen.size(), widthClasses.size());
}

void TestSvgUITextButton::looks_data()
{
    QTest::addColumn<SvgUIButton::Mode>("mode");
    QTest::addColumn<QString>("background");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("lift");
    QTest::newRow("simple") << SvgUIButton::Plain << "simple_button_45" << 13
                            << QColor(35, 35, 35, 200) << 4;
    QTest::newRow("combo") << SvgUIButton::Combo << "combo_button" << 15
                           << QColor(200, 200, 200, 255) << 7;
}

void TestSvgUITextButton::looks()
{
    QFETCH(SvgUIButton::Mode, mode);
    QFETCH(QString, background);
    QFETCH(int, pointSize);
    QFETCH(QColor, colour);
    QFETCH(int, lift);
    SvgUITextButton button;
    button.setButtonMode(mode);
    button.updateSkinElement(QStringLiteral("Fr"));
    QCOMPARE(button.stateElement(QIcon::Active, QIcon::On), background);
    QCOMPARE(button.fontPointSize(), pointSize);
    QCOMPARE(button.textColor(), colour);
    QCOMPARE(button.textFont().pointSize(), pointSize);
    const int fontHeight = QFontMetrics(button.textFont()).height();
    // The baseline is centred on the background, truncated toward zero.
    QCOMPARE(button.textOffset(),
             QPoint(10, int((elementHeight(background) + fontHeight) * 0.5 - lift)));
    QCOMPARE(button.file(), QStringLiteral(":/data/images/buttons.svg"));
}

void TestSvgUITextButton::givenOffsetsAreKept()
{
    SvgUITextButton button;
    button.setTextOffset(3, 0);
    button.updateSkinElement(QStringLiteral("abc"));
    QCOMPARE(button.textOffset().x(), 3);
    QVERIFY(button.textOffset().y() > 0);
    button.setTextOffset(0, 5);
    button.updateSkinElement(QStringLiteral("abcd"));
    QCOMPARE(button.textOffset(), QPoint(10, 5));
}

void TestSvgUITextButton::triggeredActionIsShown()
{
    SvgUITextButton button;
    button.setButtonMode(SvgUIButton::Combo);
    QAction action(QStringLiteral("English (United States)"));
    button.triggered(&action);
    QCOMPARE(button.text(), action.text());
    QCOMPARE(button.width(), textWidth(button, action.text()) + 20);
    button.triggered(nullptr);
    QCOMPARE(button.text(), action.text());
}

void TestSvgUITextButton::textColours()
{
    // The darkest text pixel tells the pen: the simple look is near black, a grey button
    // grey, a disabled one lighter still.
    const auto darkest = [](bool grey, bool enabled) {
        SvgUITextButton button(nullptr, grey);
        button.updateSkinElement(QStringLiteral("WWWW"));
        button.resize(button.width(), 24);
        button.setEnabled(enabled);
        QImage image(button.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        button.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        int value = 255;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                value = qMin(value, qGray(image.pixel(x, y)));
        }
        return value;
    };
    const int plain = darkest(false, true);
    const int grey = darkest(true, true);
    const int disabled = darkest(false, false);
    QVERIFY2(plain < grey && grey < disabled,
             qPrintable(QStringLiteral("%1 %2 %3").arg(plain).arg(grey).arg(disabled)));
}

void TestSvgUITextButton::comboBackgroundsCarryNoArrow_data()
{
    QTest::addColumn<QString>("element");
    for (const char *suffix : {"", "_off", "_on", "_active_off", "_disabled_off"})
        QTest::addRow("combo_button%s", suffix) << QStringLiteral("combo_button") + suffix;
}

// The combo look shows the chosen text alone: the skin draws the menu's arrow beside the button,
// so the background's middle row is one colour from edge to edge.
void TestSvgUITextButton::comboBackgroundsCarryNoArrow()
{
    QFETCH(QString, element);
    QSvgRenderer buttons(QStringLiteral(":/data/images/buttons.svg"));
    QVERIFY(buttons.elementExists(element));
    const QRectF bounds = buttons.boundsOnElement(element);
    QImage image(bounds.size().toSize(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    buttons.render(&painter, element, QRectF(QPointF(0, 0), bounds.size()));
    painter.end();
    const int middle = image.height() / 2;
    const QRgb first = image.pixel(8, middle);
    for (int x = 8; x < image.width() - 8; ++x)
        QVERIFY2(image.pixel(x, middle) == first, qPrintable(QString::number(x)));
}

QTEST_MAIN(TestSvgUITextButton)
#include "tst_svguitextbutton.moc"
