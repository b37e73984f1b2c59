#include "calculator/nodeadditionsubtraction.h"
#include "calculator/nodegroupparentheses.h"
#include "calculator/nodenumber.h"
#include "calculator/nodepowerroot.h"
#include "calculator/nodeunknown.h"

#include <QTest>

#include <memory>

using namespace ExpTree;

namespace {

Node *number(double value)
{
    return new NodeNumber(true, value, false);
}

QString written(const Node &node, bool marked)
{
    QString text;
    node.writeExpression(text, marked);
    return text;
}

} // namespace

class TestExpTreeNode : public QObject
{
    Q_OBJECT

private slots:
    void operatorForms_data();
    void operatorForms();
    void unknownMarkers();
    void groupBrackets_data();
    void groupBrackets();
    void hiddenRootIndex();
    void completeness();
    void deepTreeReleased();
};

void TestExpTreeNode::operatorForms_data()
{
    QTest::addColumn<int>("operands");
    QTest::addColumn<QString>("text");
    QTest::newRow("infix") << 3 << "1+2+3";
    QTest::newRow("prefix") << 1 << "+1";
    QTest::newRow("sign alone") << 0 << "+";
}

void TestExpTreeNode::operatorForms()
{
    QFETCH(int, operands);
    QFETCH(QString, text);
    NodeAdditionSubtraction addition(true, false);
    for (int i = 1; i <= operands; ++i)
        addition.appendChild(number(i));
    QCOMPARE(written(addition, false), text);
    QCOMPARE(written(addition, true), text);
}

void TestExpTreeNode::unknownMarkers()
{
    NodeUnknown unknown(true);
    QCOMPARE(written(unknown, true), QString("@2{?}"));
    QCOMPARE(written(unknown, false), QString("?"));
    unknown.set(4, 1);
    unknown.undefined = false;
    QCOMPARE(written(unknown, true), QString("@2{4}"));
    QCOMPARE(written(unknown, false), QString("4"));
    QString token;
    NodeUnknown unsolved(false);
    unsolved.writeToken(token, 3, false);
    QCOMPARE(token, QString("0"));
}

void TestExpTreeNode::groupBrackets_data()
{
    QTest::addColumn<bool>("opened");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("marked");
    QTest::newRow("both written") << true << true << "(1+1)" << "(1+1)";
    QTest::newRow("opening missing") << false << true << "[1+1]" << "@1{[}1+1]";
    QTest::newRow("closing missing") << true << false << "(1+1)" << "(1+1@1{)}";
    QTest::newRow("both added") << false << false << "[1+1]" << "@1{[}1+1@1{]}";
}

void TestExpTreeNode::groupBrackets()
{
    QFETCH(bool, opened);
    QFETCH(bool, closed);
    QFETCH(QString, plain);
    QFETCH(QString, marked);
    NodeGroupParentheses group(opened);
    group.closedInInk = closed;
    auto *sum = new NodeAdditionSubtraction(true, false);
    sum->appendChild(number(1));
    sum->appendChild(number(1));
    group.appendChild(sum);
    QCOMPARE(written(group, false), plain);
    QCOMPARE(written(group, true), marked);
}

void TestExpTreeNode::hiddenRootIndex()
{
    NodePowerRoot root(true, true);
    root.appendChild(new NodeNumber(false, 2.0, true));
    root.appendChild(number(9));
    QCOMPARE(written(root, false), QString(QChar(0x221A)) + "9");
    QCOMPARE(written(root, true), QString(QChar(0x221A)) + "9");
}

void TestExpTreeNode::completeness()
{
    NodeAdditionSubtraction addition(true, false);
    addition.appendChild(number(1));
    QVERIFY(!addition.hasMinimumChildren());
    auto *group = new NodeGroupParentheses(true);
    addition.appendChild(group);
    QVERIFY(addition.hasMinimumChildren());
    QVERIFY(!addition.isComplete());
    group->appendChild(number(2));
    QVERIFY(addition.isComplete());
    QVERIFY(!addition.isFull());
    QVERIFY(group->isFull());
}

// A chain far deeper than any stack frame budget is built, checked and
// released without recursion.
void TestExpTreeNode::deepTreeReleased()
{
    auto root = std::make_unique<NodeGroupParentheses>(true);
    Node *tip = root.get();
    for (int i = 0; i < 200000; ++i) {
        auto *inner = new NodeGroupParentheses(true);
        tip->appendChild(inner);
        tip = inner;
    }
    QVERIFY(!root->isComplete());
    tip->appendChild(number(1));
    QVERIFY(root->isComplete());
}

QTEST_GUILESS_MAIN(TestExpTreeNode)
#include "tst_exptreenode.moc"
