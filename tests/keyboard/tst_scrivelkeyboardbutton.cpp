#include "keyboard/scrivelkeyboardbutton.h"

#include <QAction>
#include <QtTest>

namespace {

QImage render(const QString &caption, QSize size = QSize(48, 48))
{
    ScrivelKeyboardButton button(Qt::lightGray, QColor("orange"));
    button.setText(caption);
    button.resize(size);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    button.render(&image);
    return image;
}

// Pixels that differ from a plain face of the same size.
int inkedPixels(const QImage &image, const QImage &face)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != face.pixel(x, y);
    }
    return count;
}

// White where the caption drew over the plain face.
QImage inkMask(const QImage &image, const QImage &face)
{
    QImage mask(image.size(), QImage::Format_Grayscale8);
    mask.fill(Qt::black);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != face.pixel(x, y))
                mask.setPixel(x, y, qRgb(255, 255, 255));
        }
    }
    return mask;
}

void release(QWidget *widget)
{
    QMouseEvent event(QEvent::MouseButtonRelease, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestScrivelKeyboardButton : public QObject
{
    Q_OBJECT

private slots:
    void flashAfterRelease();
    void faceColour();
    void arrowsPointTheirWay_data();
    void arrowsPointTheirWay();
    void captionsDrawnAsText_data();
    void captionsDrawnAsText();
    void longCaptionsFitTheirKey();
    void mirrorsItsAction();
};

void TestScrivelKeyboardButton::flashAfterRelease()
{
    ScrivelKeyboardButton button(Qt::lightGray, QColor("orange"));
    // A release flashes even when the press began elsewhere.
    release(&button);
    QVERIFY(button.isFlashing());
    QCOMPARE(button.faceColor(), QColor("orange"));
    // A second release half-way starts the flash again: it ends a whole flash after it.
    // Only lower bounds are measured, so a slow machine cannot fail this.
    QTest::qWait(100);
    release(&button);
    QElapsedTimer sinceSecond;
    sinceSecond.start();
    QVERIFY(button.isFlashing());
    QTRY_VERIFY_WITH_TIMEOUT(!button.isFlashing(), 5000);
    QVERIFY2(sinceSecond.elapsed() >= 180, qPrintable(QString::number(sinceSecond.elapsed())));
    QCOMPARE(button.faceColor(), QColor(Qt::lightGray));
}

void TestScrivelKeyboardButton::faceColour()
{
    ScrivelKeyboardButton button(Qt::lightGray, QColor("orange"));
    button.resize(40, 40);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button.mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(&button, &enter);
    QVERIFY(button.isHovered());
    QCOMPARE(button.faceColor(), QColor(Qt::lightGray).lighter(112));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    QCOMPARE(button.faceColor(), QColor(Qt::lightGray));
    button.setCheckable(true);
    button.setChecked(true);
    QCOMPARE(button.faceColor(), QColor("orange"));
}

void TestScrivelKeyboardButton::arrowsPointTheirWay_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("opposite");
    QTest::addColumn<bool>("horizontal");
    QTest::newRow("left and right") << "Left" << "Right" << true;
    QTest::newRow("up and down") << "Up" << "Down" << false;
}

// Opposite arrows are mirror images of each other, and differ.
void TestScrivelKeyboardButton::arrowsPointTheirWay()
{
    QFETCH(QString, caption);
    QFETCH(QString, opposite);
    QFETCH(bool, horizontal);
    const QImage face = render(QString(), QSize(47, 47));
    const QImage one = inkMask(render(caption, QSize(47, 47)), face);
    const QImage other = inkMask(render(opposite, QSize(47, 47)), face);
    const QImage blank = inkMask(face, face);
    const int inked = inkedPixels(one, blank);
    QVERIFY(inked > 50);
    QVERIFY(inkedPixels(one, other) > inked / 2);
    // Antialiasing may differ on a few edge pixels.
    QVERIFY(inkedPixels(one.mirrored(horizontal, !horizontal), other) < inked / 10);
}

void TestScrivelKeyboardButton::captionsDrawnAsText_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("symbol");
    QTest::newRow("letter") << "q" << false;
    QTest::newRow("word") << "Backspace" << false;
    QTest::newRow("near a symbol caption") << "up" << false;
    QTest::newRow("shift") << "Shift" << true;
    QTest::newRow("big shift") << "LBigShift" << true;
    QTest::newRow("tab") << "Tab" << true;
    QTest::newRow("enter") << "Enter" << true;
    QTest::newRow("copy") << "Copy" << true;
    QTest::newRow("paste") << "Paste" << true;
}

// A symbol does not depend on the font; text does.
void TestScrivelKeyboardButton::captionsDrawnAsText()
{
    QFETCH(QString, caption);
    QFETCH(bool, symbol);
    ScrivelKeyboardButton small(Qt::lightGray, QColor("orange"));
    ScrivelKeyboardButton large(Qt::lightGray, QColor("orange"));
    QImage images[2];
    ScrivelKeyboardButton *buttons[2] = {&small, &large};
    for (int i = 0; i < 2; ++i) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(i ? 20 : 9);
        buttons[i]->setFont(font);
        buttons[i]->setText(caption);
        buttons[i]->resize(90, 40);
        images[i] = QImage(90, 40, QImage::Format_ARGB32);
        images[i].fill(Qt::transparent);
        buttons[i]->render(&images[i]);
    }
    QCOMPARE(images[0] == images[1], symbol);
    QVERIFY(inkedPixels(images[0], render(QString(), QSize(90, 40))) > 10);
}

// A caption wider than the key is drawn smaller, whole, inside the face; a
// caption that fits keeps its size.
void TestScrivelKeyboardButton::longCaptionsFitTheirKey()
{
    const auto draw = [](const QString &caption, int width) {
        ScrivelKeyboardButton button(Qt::lightGray, QColor("orange"));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(20);
        button.setFont(font);
        button.setText(caption);
        button.resize(width, 40);
        QImage image(width, 40, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        button.render(&image);
        return inkMask(image, render(QString(), QSize(width, 40)));
    };
    const auto inkedColumns = [](const QImage &mask) {
        QList<int> columns;
        for (int x = 0; x < mask.width(); ++x) {
            for (int y = 0; y < mask.height(); ++y) {
                if (qGray(mask.pixel(x, y)) > 0) {
                    columns << x;
                    break;
                }
            }
        }
        return columns;
    };
    const QList<int> narrow = inkedColumns(draw(QStringLiteral("Backspace"), 60));
    QVERIFY(narrow.size() > 30);
    QVERIFY2(narrow.first() >= 2 && narrow.last() <= 57,
             qPrintable(QStringLiteral("%1..%2").arg(narrow.first()).arg(narrow.last())));
    QCOMPARE(inkedColumns(draw(QStringLiteral("q"), 60)).size(),
             inkedColumns(draw(QStringLiteral("q"), 200)).size());
    const QList<int> wide = inkedColumns(draw(QStringLiteral("Backspace"), 200));
    QVERIFY(wide.last() - wide.first() > narrow.last() - narrow.first() + 20);
}

void TestScrivelKeyboardButton::mirrorsItsAction()
{
    QAction action;
    action.setCheckable(true);
    action.setChecked(true);
    action.setToolTip(QStringLiteral("Caps"));
    ScrivelKeyboardButton button(Qt::lightGray, QColor("orange"));
    button.setDefaultAction(&action);
    QVERIFY(button.isCheckable());
    QVERIFY(button.isChecked());
    QCOMPARE(button.toolTip(), QStringLiteral("Caps"));

    action.setChecked(false);
    QVERIFY(!button.isChecked());
    action.setEnabled(false);
    QVERIFY(!button.isEnabled());
    action.setEnabled(true);

    QSignalSpy triggered(&action, &QAction::triggered);
    button.resize(30, 30);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(triggered.count(), 1);
    QVERIFY(action.isChecked());
    QVERIFY(button.isChecked());
}

QTEST_MAIN(TestScrivelKeyboardButton)
#include "tst_scrivelkeyboardbutton.moc"
