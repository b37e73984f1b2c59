#include "modes/cursivecandidatesitem.h"
#include "modes/cursivedicoiconitem.h"
#include "modes/cursivetypesetitem.h"
#include "pad/glyphmetrics.h"
#include "pad/hoverlabelitem.h"
#include "pad/scrivelscene.h"
#include "platform/desktop.h"
#include "platform/prompt.h"
#include "platform/winapi.h"
#include "windows/userdictionaries.h"

#include <QGraphicsSceneMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

Segment withCandidates(const QStringList &labels, int selected)
{
    Segment segment;
    for (const QString &label : labels) {
        ResultNode node;
        node.setLabel(label);
        node.setType(ResultNode::Word);
        segment.appendCandidate(node);
    }
    if (selected >= 0)
        segment.setSelectedCandidate(selected);
    segment.setInk(InkRange::fromStroke(makeBoxStroke(QRectF(0, 0, 200, 60), 0)));
    return segment;
}

using Update = std::tuple<ScrivelScene::CandidateListInfo, QString, int>;

Update updateAt(const QSignalSpy &spy, int i)
{
    const QList<QVariant> args = spy.at(i);
    return {args.at(0).value<ScrivelScene::CandidateListInfo>(),
            args.at(1).value<Segment>().selectedCandidate().label(), args.at(2).toInt()};
}

// Delivers a press to the item through the scene, so that event filters see it.
bool press(QGraphicsItem *item, Qt::MouseButton button)
{
    QGraphicsSceneMouseEvent event(QEvent::GraphicsSceneMousePress);
    event.setButton(button);
    event.setScenePos(item->sceneBoundingRect().center());
    event.setAccepted(false);
    item->scene()->sendEvent(item, &event);
    return event.isAccepted();
}

} // namespace

// The typeset words of the cursive pad, their candidate lists and the dictionary star.
class TestCursiveCandidates : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void textGeometry();
    void missingCandidateShowsEmptyText();
    void labels_data();
    void labels();
    void listOpensUnderTheWordAsModalItem();
    void candidatePressIsChosen();
    void otherPressesAreNotConsumed();
    void secondListReplacesTheFirst();
    void ownerDeletedWithListOpen();
    void otherWordDeletedKeepsTheList();
    void iconWord_data();
    void iconWord();
    void starAddsAndRemovesTheWord();
    void starKeepsOtherWords();
    void iconShowsExistingEntry();
    void unreadableDictionaryIsNeverRewritten_data();
    void unreadableDictionaryIsNeverRewritten();
    void failedSaveKeepsTheStar();

private:
    CursiveTypeSetItem *addWord(const Segment &segment, const QPointF &at, int direction = 1);
    // "hello" (or "hallo") on the left, "world" (or "word") on the right.
    CursiveTypeSetItem *addHello();
    CursiveTypeSetItem *addWorld();
    CursiveCandidatesItem *list() const
    {
        return dynamic_cast<CursiveCandidatesItem *>(m_scene->modalItem());
    }
    CursiveDicoIconItem *icon() const;

    QTemporaryDir m_folders;
    std::unique_ptr<ScrivelScene> m_scene;
};

void TestCursiveCandidates::initTestCase()
{
    qRegisterMetaType<ScrivelScene::CandidateListInfo>();
    QCoreApplication::setOrganizationName(QStringLiteral("InkoraTest"));
    QCoreApplication::setApplicationName(QStringLiteral("ScrivelTest"));
    QVERIFY(m_folders.isValid());
}

void TestCursiveCandidates::init()
{
    static int round = 0;
    Desktop::instance()->reset();
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA, m_folders.filePath(QString::number(++round)));
    m_scene = std::make_unique<ScrivelScene>(ItemStyle());
    m_scene->setSceneRect(0, 0, 2000, 800);
}

void TestCursiveCandidates::cleanup()
{
    m_scene.reset();
}

CursiveTypeSetItem *TestCursiveCandidates::addWord(const Segment &segment, const QPointF &at,
                                                   int direction)
{
    auto *item = new CursiveTypeSetItem(segment, ItemStyle(), direction);
    item->setTransform(QTransform(0.5, 0, 0, 0.5, at.x(), at.y()));
    m_scene->addItem(item);
    return item;
}

CursiveTypeSetItem *TestCursiveCandidates::addHello()
{
    return addWord(withCandidates({QStringLiteral("hello"), QStringLiteral("hallo")}, 0),
                   QPointF(100, 200));
}

CursiveTypeSetItem *TestCursiveCandidates::addWorld()
{
    return addWord(withCandidates({QStringLiteral("world"), QStringLiteral("word")}, 0),
                   QPointF(600, 200));
}

CursiveDicoIconItem *TestCursiveCandidates::icon() const
{
    for (QGraphicsItem *child : list()->childItems()) {
        if (child->type() == StyledItem::CursiveDicoIconItemType)
            return static_cast<CursiveDicoIconItem *>(child);
    }
    return nullptr;
}

void TestCursiveCandidates::textGeometry()
{
    const CursiveTypeSetItem item(withCandidates({QStringLiteral("hello")}, 0), ItemStyle(), 1);
    QCOMPARE(item.text(), QStringLiteral("hello"));
    const QRectF text = measureText(QStringLiteral("hello"));
    QCOMPARE(item.textRect(), text);
    QCOMPARE(item.boundingRect().left(), text.left() - 5);
    QCOMPARE(item.boundingRect().width(), text.width() + 10);
    QCOMPARE(item.boundingRect().top(), text.top());
    QCOMPARE(item.boundingRect().height(), text.height() + qMax(text.bottom(), item.underlineY()));
    QCOMPARE(item.dashHeight(), measureText(QStringLiteral("-")).height());
    QVERIFY(item.underlineY() > 0);
    QCOMPARE(item.type(), int(QGraphicsItem::UserType + 5));
}

void TestCursiveCandidates::missingCandidateShowsEmptyText()
{
    const CursiveTypeSetItem item(Segment(), ItemStyle(), 1);
    QVERIFY(item.text().isEmpty());
    QCOMPARE(item.boundingRect().width(), 10.0);
}

void TestCursiveCandidates::labels_data()
{
    QTest::addColumn<QStringList>("candidates");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("others in candidate order")
        << QStringList{"hello", "hallo", "hullo"} << 0 << 1 << QStringList{"hallo", "hullo"};
    QTest::newRow("selected in the middle")
        << QStringList{"hallo", "hello", "hullo"} << 1 << 1 << QStringList{"hallo", "hullo"};
    QTest::newRow("repeats and the selected label shown once, case counts")
        << QStringList{"hello", "hello", "Hello", "hallo", "Hello"} << 0 << 1
        << QStringList{"Hello", "hallo"};
    QTest::newRow("only copies of the selected label: no labels")
        << QStringList{"hello", "hello"} << 1 << 1 << QStringList();
    QTest::newRow("right to left")
        << QStringList{"hello", "hallo", "hullo"} << 0 << 2 << QStringList{"hallo", "hullo"};
}

void TestCursiveCandidates::labels()
{
    QFETCH(QStringList, candidates);
    QFETCH(int, selected);
    QFETCH(int, direction);
    QFETCH(QStringList, shown);
    const double rightEdge = 900;
    CursiveCandidatesItem list(withCandidates(candidates, selected), ItemStyle(), direction,
                               rightEdge);
    const QList<HoverLabelItem *> labels = list.labels();
    QStringList texts;
    QRectF united;
    double x = direction == 2 ? -35 : 0;
    for (HoverLabelItem *label : labels) {
        texts.append(label->text());
        QCOMPARE(candidates.at(label->index()), label->text());
        QCOMPARE(label->acceptedMouseButtons(), Qt::MouseButtons(Qt::LeftButton));
        const double w = label->boundingRect().width();
        QCOMPARE(label->pos(), QPointF(direction == 2 ? rightEdge - x - w : x, 0));
        x += w + 35;
        united |= label->sceneBoundingRect();
    }
    QCOMPARE(texts, shown);
    QCOMPARE(list.rect(), united);
    QCOMPARE(list.zValue(), 3.0);
}

void TestCursiveCandidates::listOpensUnderTheWordAsModalItem()
{
    QSignalSpy updates(m_scene.get(), &ScrivelScene::selectedCandidateUpdate);
    CursiveTypeSetItem *word = addHello();
    word->showCandidates(1);
    QVERIFY(list());
    QCOMPARE(list()->owner(), word);
    QVERIFY(word->areCandidatesOpen());
    QCOMPARE(list()->labels().size(), 1);
    QVERIFY(list()->pos().y() > word->mapToScene(QPointF(0, 0)).y());
    QCOMPARE(list()->pos().x(), word->mapToScene(word->boundingRect().topLeft()).x());
    // The star stands after the end of the text.
    QVERIFY(icon());
    QVERIFY(icon()->sceneBoundingRect().left() > word->mapRectToScene(word->textRect()).right());
    QCOMPARE(word->candidateRect().left(), list()->sceneBoundingRect().left());
    QCOMPARE(word->candidateRect().bottom(), list()->sceneBoundingRect().bottom());
    QCOMPARE(word->candidateRect().size(), list()->rect().size());
    QCOMPARE(updates.size(), 1);
    QCOMPARE(updateAt(updates, 0), Update(ScrivelScene::CandidateShown, "hello", 0));
}

void TestCursiveCandidates::candidatePressIsChosen()
{
    QSignalSpy updates(m_scene.get(), &ScrivelScene::selectedCandidateUpdate);
    CursiveTypeSetItem *word = addWord(
        withCandidates({QStringLiteral("hallo"), QStringLiteral("hello"), QStringLiteral("hullo")}, 1),
        QPointF(100, 200));
    word->showCandidates(1);
    HoverLabelItem *hullo = list()->labels().at(1);
    QCOMPARE(hullo->text(), QStringLiteral("hullo"));
    QVERIFY(press(hullo, Qt::LeftButton));
    QCOMPARE(updates.size(), 2);
    QCOMPARE(updateAt(updates, 1), Update(ScrivelScene::CandidateChosen, "hello", 2));
    m_scene->closeModalItem();
    QVERIFY(!word->areCandidatesOpen());
    QCOMPARE(updateAt(updates, 2), Update(ScrivelScene::CandidateCleared, "hello", 1));
}

void TestCursiveCandidates::otherPressesAreNotConsumed()
{
    QSignalSpy updates(m_scene.get(), &ScrivelScene::selectedCandidateUpdate);
    CursiveTypeSetItem *word = addHello();
    word->showCandidates(1);
    QGraphicsSceneMouseEvent right(QEvent::GraphicsSceneMousePress);
    right.setButton(Qt::RightButton);
    QVERIFY(!m_scene->sendEvent(list()->labels().at(0), &right) || !right.isAccepted());
    QGraphicsSceneMouseEvent move(QEvent::GraphicsSceneMouseMove);
    move.setButton(Qt::LeftButton);
    m_scene->sendEvent(list()->labels().at(0), &move);
    QCOMPARE(updates.size(), 1);
}

void TestCursiveCandidates::secondListReplacesTheFirst()
{
    QSignalSpy updates(m_scene.get(), &ScrivelScene::selectedCandidateUpdate);
    CursiveTypeSetItem *first = addHello();
    CursiveTypeSetItem *second = addWorld();
    first->showCandidates(1);
    second->showCandidates(1);
    int lists = 0;
    for (QGraphicsItem *item : m_scene->items())
        lists += dynamic_cast<CursiveCandidatesItem *>(item) != nullptr;
    QCOMPARE(lists, 1);
    QCOMPARE(list()->owner(), second);
    QVERIFY(!first->areCandidatesOpen());
    QVERIFY(second->areCandidatesOpen());
    QCOMPARE(updateAt(updates, 1), Update(ScrivelScene::CandidateCleared, "hello", 0));
    QCOMPARE(updateAt(updates, 2), Update(ScrivelScene::CandidateShown, "world", 0));
}

void TestCursiveCandidates::ownerDeletedWithListOpen()
{
    CursiveTypeSetItem *word = addHello();
    word->showCandidates(1);
    delete word;
    QVERIFY(!m_scene->modalItem());
    for (QGraphicsItem *item : m_scene->items())
        QVERIFY(!dynamic_cast<CursiveCandidatesItem *>(item));
}

// A word that goes, as in a rebuild, closes only its own list.
void TestCursiveCandidates::otherWordDeletedKeepsTheList()
{
    CursiveTypeSetItem *first = addHello();
    CursiveTypeSetItem *second = addWorld();
    first->showCandidates(1);
    second->showCandidates(1);
    delete first;
    QVERIFY(list());
    QCOMPARE(list()->owner(), second);
    QVERIFY(second->areCandidatesOpen());
    delete second;
    QVERIFY(!m_scene->modalItem());
}

void TestCursiveCandidates::iconWord_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("kept");
    QTest::newRow("capital first letter") << "Paris" << "paris";
    QTest::newRow("all capitals") << "NATO" << "nato";
    QTest::newRow("one capital letter stays") << "P" << "P";
    QTest::newRow("capital inside stays") << "iPod" << "iPod";
    QTest::newRow("non-Latin capital") << QString::fromUtf8("Ελλάδα") << QString::fromUtf8("ελλάδα");
}

void TestCursiveCandidates::iconWord()
{
    QFETCH(QString, word);
    const CursiveDicoIconItem icon(word, ItemStyle());
    QTEST(icon.word(), "kept");
    QCOMPARE(icon.boundingRect(), QRectF(0, 0, 100, 95));
    QVERIFY(!icon.isInDictionary());
}

void TestCursiveCandidates::starAddsAndRemovesTheWord()
{
    CursiveTypeSetItem *word =
        addWord(withCandidates({QStringLiteral("Paris"), QStringLiteral("Pairs")}, 0),
                QPointF(100, 200));
    word->showCandidates(1);
    CursiveDicoIconItem *star = icon();
    QCOMPARE(star->toolTip(), QStringLiteral("Add \"paris\" to dictionary"));

    QVERIFY(press(star, Qt::LeftButton));
    QCOMPARE(readPersonalDictionary(), QStringList{QStringLiteral("paris")});
    QVERIFY(star->isInDictionary());
    QCOMPARE(star->toolTip(), QStringLiteral("Remove \"paris\" from dictionary"));

    star->toggle();
    QVERIFY(readPersonalDictionary().isEmpty());
    QVERIFY(QFileInfo::exists(personalDictionaryPath()));
    QCOMPARE(star->toolTip(), QStringLiteral("Add \"paris\" to dictionary"));
}

void TestCursiveCandidates::starKeepsOtherWords()
{
    QVERIFY(writePersonalDictionary({QStringLiteral("alpha"), QStringLiteral("beta")}));
    CursiveDicoIconItem star(QStringLiteral("gamma"), ItemStyle());
    star.toggle();
    QCOMPARE(readPersonalDictionary(),
             (QStringList{QStringLiteral("alpha"), QStringLiteral("beta"), QStringLiteral("gamma")}));
    star.toggle();
    QCOMPARE(readPersonalDictionary(), (QStringList{QStringLiteral("alpha"), QStringLiteral("beta")}));
}

// A word another pad added meanwhile is neither added twice nor lost on removal.
void TestCursiveCandidates::iconShowsExistingEntry()
{
    QVERIFY(writePersonalDictionary({QStringLiteral("paris")}));
    CursiveDicoIconItem present(QStringLiteral("Paris"), ItemStyle());
    QVERIFY(present.isInDictionary());
    CursiveDicoIconItem stale(QStringLiteral("beta"), ItemStyle());
    QVERIFY(writePersonalDictionary({QStringLiteral("paris"), QStringLiteral("beta")}));
    stale.toggle();
    QCOMPARE(readPersonalDictionary(), (QStringList{QStringLiteral("paris"), QStringLiteral("beta")}));
    QVERIFY(stale.isInDictionary());
}

void TestCursiveCandidates::unreadableDictionaryIsNeverRewritten_data()
{
    QTest::addColumn<bool>("inDictionary");
    QTest::newRow("adding") << false;
    QTest::newRow("removing") << true;
}

// A dictionary that exists but cannot be read (here a folder in its place)
// reads as no words: a toggle must neither replace it nor flip the star.
void TestCursiveCandidates::unreadableDictionaryIsNeverRewritten()
{
    QFETCH(bool, inDictionary);
    if (inDictionary)
        QVERIFY(writePersonalDictionary({QStringLiteral("paris")}));
    CursiveDicoIconItem star(QStringLiteral("paris"), ItemStyle());
    QCOMPARE(star.isInDictionary(), inDictionary);
    QVERIFY(QFile::remove(personalDictionaryPath()) || !inDictionary);
    QVERIFY(QDir().mkpath(personalDictionaryPath()));
    const QString kept = personalDictionaryPath() + QStringLiteral("/words.txt");
    QFile keptFile(kept);
    QVERIFY(keptFile.open(QIODevice::WriteOnly));
    keptFile.write("alpha\n");
    keptFile.close();
    Prompt::clearRequests();

    QVERIFY(!star.toggle());
    QCOMPARE(star.isInDictionary(), inDictionary);
    QVERIFY(QFileInfo(personalDictionaryPath()).isDir());
    QVERIFY(QFileInfo::exists(kept));
    const QList<Prompt::Request> told = Prompt::requests();
    QCOMPARE(told.size(), 1);
    QCOMPARE(told.first().icon, int(QMessageBox::Warning));
    QVERIFY2(told.first().text.contains(QStringLiteral("cannot be read")),
             qPrintable(told.first().text));
}

// The user data folder cannot be made (a file stands where it would go).
void TestCursiveCandidates::failedSaveKeepsTheStar()
{
    QFile blocker(m_folders.filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA, blocker.fileName() + QStringLiteral("/data"));
    CursiveDicoIconItem star(QStringLiteral("paris"), ItemStyle());
    Prompt::clearRequests();

    QVERIFY(!star.toggle());
    QVERIFY(!star.isInDictionary());
    QCOMPARE(star.toolTip(), QStringLiteral("Add \"paris\" to dictionary"));
    const QList<Prompt::Request> told = Prompt::requests();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.first().text.contains(QStringLiteral("could not be saved")),
             qPrintable(told.first().text));
}

QTEST_MAIN(TestCursiveCandidates)
#include "tst_cursivecandidates.moc"
