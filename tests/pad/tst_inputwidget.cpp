#include "pad/inputwidget.h"

#include <QHBoxLayout>
#include <QtTest>

// A widget whose size hint is fixed.
class FixedHint : public QWidget
{
public:
    explicit FixedHint(QSize hint) : hint(hint) {}
    QSize sizeHint() const override { return hint; }

private:
    QSize hint;
};

class PlainInput : public InputWidget
{
public:
    using InputWidget::InputWidget;
    QObject *modelObject() override { return this; }
};

class TestInputWidget : public QObject
{
    Q_OBJECT
private slots:
    void modeNames_data();
    void modeNames();
    void modeFromName_data();
    void modeFromName();
    void baseState();
    void staysLeftToRight();
    void sizeHintWithoutLayout();
};

void TestInputWidget::modeNames_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("name");
    QTest::newRow("cursive") << 1 << "cursive";
    QTest::newRow("isolated") << 2 << "isolated";
    QTest::newRow("keyboard") << 3 << "keyboard";
    QTest::newRow("isotrainer") << 4 << "isotrainer";
    QTest::newRow("calculator") << 6 << "calculator";
    QTest::newRow("five") << 5 << "unknown";
    QTest::newRow("zero") << 0 << "unknown";
    QTest::newRow("negative") << -1 << "unknown";
}

void TestInputWidget::modeNames()
{
    QFETCH(int, mode);
    QFETCH(QString, name);
    QCOMPARE(inputModeName(mode), name);
}

void TestInputWidget::modeFromName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("mode");
    QTest::newRow("calculator") << "calculator" << 6;
    QTest::newRow("isotrainer") << "isotrainer" << 4;
    QTest::newRow("capitalised") << "Cursive" << 0;
    QTest::newRow("unknown") << "unknown" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestInputWidget::modeFromName()
{
    QFETCH(QString, name);
    QFETCH(int, mode);
    QCOMPARE(inputModeFromName(name), mode);
}

void TestInputWidget::baseState()
{
    ItemStyle style;
    style.setColor(ItemStyle::RightColor, QColor("#123456"));
    BehaviourSettings behaviour;
    behaviour.autoSendSpeed = 1234;
    PlainInput widget(IsolatedMode, behaviour, style);
    QCOMPARE(widget.inputMode(), IsolatedMode);
    QCOMPARE(widget.behaviour().autoSendSpeed, 1234);
    QCOMPARE(widget.palette().color(QPalette::Active, QPalette::Window), QColor("#123456"));
    QCOMPARE(widget.palette().color(QPalette::Disabled, QPalette::Window), QColor("#123456"));
    QVERIFY(QMetaType::fromName("InputStatus").isValid());

    LanguageEntry language;
    language.setName("fr_FR");
    language.setLexicons({"a.lex"});
    widget.setLanguage(language);
    QCOMPARE(widget.language().name(), QString("fr_FR"));
    QCOMPARE(widget.language().lexicons(), QStringList{"a.lex"});
    behaviour.autoSend = true;
    widget.setBehaviour(behaviour);
    QVERIFY(widget.behaviour().autoSend);
}

void TestInputWidget::staysLeftToRight()
{
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    QWidget parent;
    PlainInput widget(CursiveMode, BehaviourSettings(), ItemStyle(), &parent);
    const Qt::LayoutDirection parentDirection = parent.layoutDirection();
    const Qt::LayoutDirection widgetDirection = widget.layoutDirection();
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    QCOMPARE(parentDirection, Qt::RightToLeft);
    QCOMPARE(widgetDirection, Qt::LeftToRight);
}

void TestInputWidget::sizeHintWithoutLayout()
{
    PlainInput widget(CursiveMode, BehaviourSettings(), ItemStyle());
    QCOMPARE(widget.sizeHint(), QSize(550, 150));
    auto *layout = new QHBoxLayout(&widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new FixedHint(QSize(30, 20)));
    QCOMPARE(widget.sizeHint(), QSize(30, 20));
}

QTEST_MAIN(TestInputWidget)
#include "tst_inputwidget.moc"
