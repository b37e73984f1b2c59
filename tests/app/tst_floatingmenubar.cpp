#include "appmain.h"
#include "panel/floatingmenu.h"
#include "panel/mainframe.h"
#include "recognition/enginebinding.h"
#include "skin/skinreader.h"
#include "skin/svguibutton.h"
#include "skin/svguitextbutton.h"

#include <QLayout>
#include <QTemporaryDir>

// The floating menu bar as the application assembles it from the shipped skin.
class TestFloatingMenuBar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void stripFitsBelowTheButtonRow_data();
    void stripFitsBelowTheButtonRow();

private:
    FloatingMenu *menu() const { return ScrivelApp::instance()->floatingMenu(); }
    MainFrame *panel() const
    {
        return qobject_cast<MainFrame *>(ScrivelApp::instance()->panelWindow());
    }
    void settle();

    QTemporaryDir m_folder;
};

void TestFloatingMenuBar::initTestCase()
{
    QVERIFY(m_folder.isValid());
    useProgramFolders(m_folder);
    QVERIFY(startEngine());
    ScrivelApp *app = ScrivelApp::instance();
    app->setStateMachine(app->buildStateMachine({}));
    QVERIFY(menu());
    menu()->show();
}

void TestFloatingMenuBar::cleanupTestCase()
{
    ScrivelApp *app = ScrivelApp::instance();
    delete app->stateMachine();
    delete app->panelWindow();
    stopEngine();
}

void TestFloatingMenuBar::settle()
{
    QCoreApplication::processEvents();
    menu()->layout()->activate();
    QCoreApplication::processEvents();
}

void TestFloatingMenuBar::stripFitsBelowTheButtonRow_data()
{
    QTest::addColumn<bool>("pointer");
    QTest::newRow("pen mode") << false;
    QTest::newRow("pointer mode") << true;
}

void TestFloatingMenuBar::stripFitsBelowTheButtonRow()
{
    QFETCH(bool, pointer);
    (pointer ? menu()->selectButton() : menu()->writeButton())->setChecked(true);
    settle();
    const QRect bar = menu()->rect();
    QWidget *row = panel()->skin().widget(QStringLiteral("floatingMenu"));
    QVERIFY(row);
    const int rowBottom = row->mapTo(menu(), QPoint(0, row->height())).y();
    QVERIFY(menu()->clearButton()->height() <= row->height());

    QWidget *strip = pointer ? menu()->keyboardArea() : menu()->writeButtonArea();
    QWidget *other = pointer ? menu()->writeButtonArea() : menu()->keyboardArea();
    QVERIFY(!strip->isHidden());
    QVERIFY(other->isHidden());
    const QRect stripRect(strip->mapTo(menu(), QPoint()), strip->size());
    QVERIFY2(bar.contains(stripRect), qPrintable(QStringLiteral("strip %1,%2 %3x%4 in %5x%6")
                                                     .arg(stripRect.x()).arg(stripRect.y())
                                                     .arg(stripRect.width())
                                                     .arg(stripRect.height())
                                                     .arg(bar.width()).arg(bar.height())));
    QVERIFY(stripRect.top() >= rowBottom);
    QCOMPARE(stripRect.height(), pointer ? 57 : menu()->fullScreenButton()->height());
    QCOMPARE(bar.height(), menu()->topMargin() + stripRect.height() + menu()->bottomMargin());

    const QList<QWidget *> inStrip =
        pointer ? QList<QWidget *>{ScrivelApp::instance()->floatingMiniKeyboard()}
                : QList<QWidget *>{menu()->languageButton(), menu()->closeButton(),
                                   menu()->fullScreenButton()};
    for (QWidget *widget : inStrip) {
        const QRect rect(widget->mapTo(strip, QPoint()), widget->size());
        QVERIFY2(strip->rect().contains(rect), widget->metaObject()->className());
    }
}

SCRIVEL_APP_TEST_MAIN(TestFloatingMenuBar)
#include "tst_floatingmenubar.moc"
