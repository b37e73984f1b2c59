#include "keyboard/key.h"
#include "keyboard/keyactions.h"
#include "keyboard/keybehavior.h"
#include "keyboard/keyboard.h"
#include "keyboard/keyboardlayout.h"
#include "keyboard/keyvariant.h"
#include "keyboard/list.h"

#include "keyboardrecorder.h"

#include <QtTest>

namespace {

constexpr uint32_t Shift = 1;
constexpr uint32_t Lock = 2;
constexpr uint32_t Control = 4;

// One keyboard with the layouts "default" and "other"; keys are built by hand.
struct Engine {
    Keyboard *keyboard = keyboardCreate();
    KeyboardLayout *layout = keyboardLayoutCreate("default");
    KeyboardLayout *other = keyboardLayoutCreate("other");
    KeyboardRecorder recorder;

    Engine()
    {
        keyboardAddLayout(keyboard, layout);
        keyboardAddLayout(keyboard, other);
        recorder.attach(keyboard);
        keyboardSelectLayout(keyboard, "default");
        recorder.stateChanges = 0;
    }
    ~Engine() { keyboardFree(keyboard); }

    // A key whose variant i emits labels[i] and is chosen by combinations[i].
    Key *letterKey(const QList<QByteArray> &labels, const QList<QList<uint32_t>> &combinations)
    {
        Key *key = keyCreate(KeyTypeNormal);
        KeyBehavior behavior;
        keyBehaviorClear(&behavior);
        for (const QByteArray &label : labels)
            keyAppendVariant(key, keyVariantCreate(label.constData(), textAction, nullptr, nullptr));
        for (int i = 0; i < combinations.size(); ++i) {
            for (uint32_t combination : combinations[i])
                keyBehaviorAssign(&behavior, combination, uint8_t(i));
        }
        keySetBehaviorIndex(key, keyboardAddBehavior(keyboard, &behavior));
        layoutAddKey(layout, key);
        return key;
    }
    Key *shiftLockLetter() { return letterKey({"a", "A"}, {{0}, {Shift, Lock}}); }

    Key *modifierKey(int32_t type, KeyAction action, uint32_t mask)
    {
        Key *key = keyCreate(type);
        keyAppendVariant(key, keyVariantCreate("mod", action, modifierArgument(mask), nullptr));
        layoutAddKey(layout, key);
        return key;
    }
};

int freedArguments = 0;

void countFree(void *)
{
    ++freedArguments;
}

bool countCall(void *, void *calls)
{
    return ++*static_cast<int *>(calls) < 2;
}

bool recordKey(Key *key, void *log)
{
    *static_cast<QList<Key *> *>(log) << key;
    return false;
}

struct Consumer {
    QStringList *log;
    QString name;
    bool consume;
};

bool consumingText(Keyboard *, const char *, size_t, void *data)
{
    auto *consumer = static_cast<Consumer *>(data);
    *consumer->log << consumer->name;
    return consumer->consume;
}

} // namespace

class TestLayoutEngine : public QObject
{
    Q_OBJECT

private slots:
    void listWalkStopsAtFirstRefusal();
    void listRemoveKeepsTail();
    void currentVariantFollowsModifiers_data();
    void currentVariantFollowsModifiers();
    void keyWithoutBehaviorUsesFirstVariant();
    void keyWithoutVariantsStillConsumesLatch();
    void latchAppliesToNextKeyOnly();
    void pressingLatchTwiceClearsIt();
    void toggleLockLocksThenUnlocks();
    void setModifierHeldWhileDown();
    void textAndKeysymFireOnPressOnly();
    void textActionEmitsLabelOrArgument();
    void behaviorsAreInterned();
    void consumingListenerStopsNotification();
    void selectLayoutClearsMasksAndRefreshes();
    void unknownLayoutLeavesStateAlone();
    void variantCountStopsAt255();
    void variantOwnsItsArgument();
    void layoutsMoveBetweenKeyboards();
    void detachedKeyRunsActionWithoutKeyboard();
};

void TestLayoutEngine::listWalkStopsAtFirstRefusal()
{
    List *list = listCreate();
    int calls = 0;
    QVERIFY(listForEach(list, countCall, &calls));
    QCOMPARE(calls, 0);
    QVERIFY(!listForEach(list, nullptr, &calls));
    int values[3] = {1, 2, 3};
    for (int &value : values)
        QVERIFY(listAppend(list, &value));
    QVERIFY(!listForEach(list, countCall, &calls));
    QCOMPARE(calls, 2);

    ListIterator *iterator = listIteratorCreate(list);
    QList<int> seen;
    for (; !listIteratorAtEnd(iterator); listIteratorNext(iterator))
        seen << *static_cast<int *>(listIteratorValue(iterator));
    QCOMPARE(seen, QList<int>({1, 2, 3}));
    QVERIFY(!listIteratorNext(iterator));
    QCOMPARE(listIteratorValue(iterator), nullptr);
    listIteratorFree(iterator);
    listFree(list, nullptr);
}

void TestLayoutEngine::listRemoveKeepsTail()
{
    List *list = listCreate();
    int values[3] = {1, 2, 3};
    for (int &value : values)
        listAppend(list, &value);
    QVERIFY(listRemove(list, &values[2], nullptr));
    QVERIFY(!listRemove(list, &values[2], nullptr));
    int four = 4;
    listAppend(list, &four);
    QCOMPARE(listCount(list), 3u);
    QCOMPARE(list->tail->value, &four);
    QCOMPARE(list->head->next->next->value, &four);
    QVERIFY(listRemove(list, &values[0], nullptr));
    QVERIFY(listRemove(list, &values[1], nullptr));
    QVERIFY(listRemove(list, &four, nullptr));
    QVERIFY(listIsEmpty(list));
    QCOMPARE(list->head, nullptr);
    QCOMPARE(list->tail, nullptr);
    listFree(list, nullptr);
}

void TestLayoutEngine::currentVariantFollowsModifiers_data()
{
    QTest::addColumn<uint32_t>("set");
    QTest::addColumn<uint32_t>("latched");
    QTest::addColumn<uint32_t>("locked");
    QTest::addColumn<QString>("label");
    QTest::newRow("none") << 0u << 0u << 0u << "a";
    QTest::newRow("shift held") << Shift << 0u << 0u << "A";
    QTest::newRow("shift latched") << 0u << Shift << 0u << "A";
    QTest::newRow("caps locked") << 0u << 0u << Lock << "A";
    QTest::newRow("shift under caps lock") << Shift << 0u << Lock << "a";
    QTest::newRow("unmentioned control ignored") << Control << 0u << 0u << "a";
    QTest::newRow("shift with control") << Shift << Control << 0u << "A";
    QTest::newRow("high bits ignored") << 0x100u << 0u << Shift << "A";
}

void TestLayoutEngine::currentVariantFollowsModifiers()
{
    QFETCH(uint32_t, set);
    QFETCH(uint32_t, latched);
    QFETCH(uint32_t, locked);
    QFETCH(QString, label);
    Engine engine;
    Key *key = engine.shiftLockLetter();
    engine.keyboard->setMask = set;
    engine.keyboard->latchedMask = latched;
    engine.keyboard->lockedMask = locked;
    QCOMPARE(keyboardModifierState(engine.keyboard), set | latched | locked);
    QCOMPARE(currentLabel(key), label);
    keyPress(key);
    QCOMPARE(engine.recorder.output.value(0).section(QLatin1Char('@'), 0, 0), label);
}

void TestLayoutEngine::keyWithoutBehaviorUsesFirstVariant()
{
    Engine engine;
    Key *key = keyCreate(KeyTypeNormal);
    keyAppendVariant(key, keyVariantCreate("x", textAction, nullptr, nullptr));
    keyAppendVariant(key, keyVariantCreate("X", textAction, nullptr, nullptr));
    layoutAddKey(engine.layout, key);
    engine.keyboard->lockedMask = Shift | Lock;
    QCOMPARE(keyBehaviorIndex(key), -1);
    QCOMPARE(currentLabel(key), QStringLiteral("x"));

    // A combination that names a variant the key lacks selects none.
    Key *missing = engine.letterKey({"b"}, {{0}, {Shift}});
    QCOMPARE(currentLabel(missing), QStringLiteral("<none>"));
}

void TestLayoutEngine::keyWithoutVariantsStillConsumesLatch()
{
    Engine engine;
    Key *empty = keyCreate(KeyTypeNormal);
    layoutAddKey(engine.layout, empty);
    QList<Key *> notified;
    addListener(empty, recordKey, &notified);
    engine.keyboard->latchedMask = Shift;

    QVERIFY(!keyActivate(empty));
    keyPress(empty);
    QCOMPARE(keyState(empty), int(KeyStateDown));
    QCOMPARE(engine.keyboard->latchedMask, 0u);
    QCOMPARE(engine.recorder.stateChanges, 1);
    QCOMPARE(notified.size(), 2); // layout refresh, then the press itself
    QVERIFY(engine.recorder.output.isEmpty());
}

void TestLayoutEngine::latchAppliesToNextKeyOnly()
{
    Engine engine;
    Key *letter = engine.shiftLockLetter();
    Key *latch = engine.modifierKey(KeyTypeToggle, latchModifierAction, Shift);
    QList<Key *> refreshed;
    addListener(letter, recordKey, &refreshed);

    click(latch);
    QCOMPARE(engine.keyboard->latchedMask, Shift);
    QCOMPARE(refreshed.size(), 1);
    const int changesBefore = engine.recorder.stateChanges;
    click(letter);
    QCOMPARE(engine.keyboard->latchedMask, 0u);
    QCOMPARE(engine.recorder.stateChanges, changesBefore + 1);
    click(letter);
    QCOMPARE(engine.recorder.output, QStringList({"A@1", "a"}));
}

void TestLayoutEngine::pressingLatchTwiceClearsIt()
{
    Engine engine;
    Key *latch = engine.modifierKey(KeyTypeToggle, latchModifierAction, Shift);
    keyPress(latch);
    keyPress(latch);
    QCOMPARE(keyState(latch), int(KeyStateUp));
    QCOMPARE(engine.keyboard->latchedMask, 0u);
}

void TestLayoutEngine::toggleLockLocksThenUnlocks()
{
    Engine engine;
    Key *letter = engine.shiftLockLetter();
    Key *caps = engine.modifierKey(KeyTypeToggle, lockModifierAction, Lock);
    keyPress(caps);
    keyRelease(caps);
    QCOMPARE(engine.keyboard->lockedMask, Lock);
    QCOMPARE(keyState(caps), int(KeyStateDown));
    click(letter);
    click(letter);
    keyPress(caps);
    QCOMPARE(engine.keyboard->lockedMask, 0u);
    click(letter);
    QCOMPARE(engine.recorder.output, QStringList({"A@2", "A@2", "a"}));
}

void TestLayoutEngine::setModifierHeldWhileDown()
{
    Engine engine;
    Key *letter = engine.shiftLockLetter();
    Key *shift = engine.modifierKey(KeyTypeNormal, setModifierAction, Shift);
    keyPress(shift);
    QCOMPARE(engine.keyboard->setMask, Shift);
    click(letter);
    click(letter);
    keyRelease(shift);
    QCOMPARE(engine.keyboard->setMask, 0u);
    click(letter);
    QCOMPARE(engine.recorder.output, QStringList({"A@1", "A@1", "a"}));
}

void TestLayoutEngine::textAndKeysymFireOnPressOnly()
{
    Engine engine;
    Key *key = keyCreate(KeyTypeNormal);
    keyAppendVariant(key, keyVariantCreate("Home", keysymAction, keysymArgumentCreate(0xFF50, Control),
                                           keysymArgumentFree));
    layoutAddKey(engine.layout, key);
    Key *toggle = keyCreate(KeyTypeToggle);
    keyAppendVariant(toggle, keyVariantCreate("t", textAction, nullptr, nullptr));
    layoutAddKey(engine.layout, toggle);

    click(key);
    click(toggle); // on
    click(toggle); // off: state 0, no text
    QCOMPARE(engine.recorder.output, QStringList({"keysym:ff50/4", "t"}));
}

void TestLayoutEngine::textActionEmitsLabelOrArgument()
{
    Engine engine;
    const auto textKey = [&](const char *label, KeyTextArgument *argument) {
        Key *key = keyCreate(KeyTypeNormal);
        keyAppendVariant(key, keyVariantCreate(label, textAction, argument, keyTextArgumentFree));
        layoutAddKey(engine.layout, key);
        return key;
    };
    click(textKey("label", nullptr));
    click(textKey("label", keyTextArgumentCreate("a\0b", 3)));
    click(textKey("label", keyTextArgumentCreate("", 0)));
    click(textKey(nullptr, nullptr));
    click(textKey("", nullptr));
    QCOMPARE(engine.recorder.output, QStringList({"label", QString::fromUtf8("a\0b", 3)}));
}

void TestLayoutEngine::behaviorsAreInterned()
{
    Engine engine;
    Key *first = engine.shiftLockLetter();
    Key *second = engine.letterKey({"b", "B"}, {{0}, {Shift, Lock}});
    QCOMPARE(keyBehaviorIndex(first), keyBehaviorIndex(second));
    QCOMPARE(engine.keyboard->behaviorCount, 1u);

    Key *shiftOnly = engine.letterKey({"1", "!"}, {{0}, {Shift}});
    QCOMPARE(keyBehaviorIndex(shiftOnly), 1);
    // Same mask and indices reached in another order still match.
    Key *reordered = engine.letterKey({"c", "C"}, {{0}, {Lock, Shift}});
    QCOMPARE(keyBehaviorIndex(reordered), keyBehaviorIndex(first));
    QCOMPARE(engine.keyboard->behaviorCount, 2u);
    QCOMPARE(keyboardAddBehavior(engine.keyboard, nullptr), -1);
    QCOMPARE(keyboardBehaviorAt(engine.keyboard, 2), nullptr);
    QCOMPARE(keyboardBehaviorAt(engine.keyboard, -1), nullptr);
}

void TestLayoutEngine::consumingListenerStopsNotification()
{
    Engine engine;
    QStringList log;
    Consumer first{&log, "first", false};
    Consumer second{&log, "second", true};
    Consumer third{&log, "third", false};
    Keyboard *keyboard = keyboardCreate();
    KeyboardLayout *layout = keyboardLayoutCreate("l");
    keyboardAddLayout(keyboard, layout);
    for (Consumer *consumer : {&first, &second, &third})
        keyboardAddKeyListener(keyboard, consumingText, consumer);
    Key *key = keyCreate(KeyTypeNormal);
    keyAppendVariant(key, keyVariantCreate("k", textAction, nullptr, nullptr));
    layoutAddKey(layout, key);
    click(key);
    QCOMPARE(log, QStringList({"first", "second"}));
    keyboardFree(keyboard);
}

void TestLayoutEngine::selectLayoutClearsMasksAndRefreshes()
{
    Engine engine;
    Key *inDefault = engine.shiftLockLetter();
    Key *inOther = keyCreate(KeyTypeNormal);
    layoutAddKey(engine.other, inOther);
    QList<Key *> refreshed;
    addListener(inDefault, recordKey, &refreshed);
    addListener(inOther, recordKey, &refreshed);
    engine.keyboard->setMask = Shift;
    engine.keyboard->latchedMask = Control;
    engine.keyboard->lockedMask = Lock;

    QVERIFY(keyboardSelectLayout(engine.keyboard, "other"));
    QCOMPARE(keyboardCurrentLayout(engine.keyboard), engine.other);
    QCOMPARE(keyboardModifierState(engine.keyboard), 0u);
    QCOMPARE(engine.recorder.stateChanges, 1);
    QCOMPARE(refreshed, QList<Key *>({inOther, inDefault, inOther}));
}

void TestLayoutEngine::unknownLayoutLeavesStateAlone()
{
    Engine engine;
    engine.keyboard->lockedMask = Lock;
    QVERIFY(!keyboardSelectLayout(engine.keyboard, "Default"));
    QVERIFY(!keyboardSelectLayout(engine.keyboard, ""));
    QVERIFY(!keyboardSelectLayout(engine.keyboard, nullptr));
    QCOMPARE(keyboardCurrentLayout(engine.keyboard), engine.layout);
    QCOMPARE(engine.keyboard->lockedMask, Lock);
    QCOMPARE(engine.recorder.stateChanges, 0);
}

void TestLayoutEngine::variantCountStopsAt255()
{
    Key *key = keyCreate(KeyTypeNormal);
    for (int i = 0; i < 255; ++i)
        QVERIFY(keyAppendVariant(key, keyVariantCreate(QByteArray::number(i).constData(), nullptr, nullptr, nullptr)));
    KeyVariant *extra = keyVariantCreate("255", nullptr, nullptr, nullptr);
    QVERIFY(!keyAppendVariant(key, extra));
    QCOMPARE(keyVariantCount(key), uint8_t(255));
    QCOMPARE(QByteArray(keyVariantLabel(keyVariantAt(key, 254))), QByteArray("254"));
    keyVariantFree(extra);
    keyFree(key);
    QCOMPARE(keyCreate(2), nullptr);
}

void TestLayoutEngine::variantOwnsItsArgument()
{
    freedArguments = 0;
    int first = 1;
    int second = 2;
    KeyVariant *variant = keyVariantCreate("v", keysymAction, &first, countFree);
    QCOMPARE(keyVariantArgument(variant), &first);
    QVERIFY(keyVariantSetAction(variant, textAction, &second, countFree));
    QCOMPARE(freedArguments, 1);
    QVERIFY(keyVariantSetAction(variant, nullptr, &first, countFree));
    QCOMPARE(freedArguments, 2);
    QCOMPARE(keyVariantArgument(variant), nullptr);
    QVERIFY(!variant->freeArgument);
    QVERIFY(keyVariantSetAction(variant, textAction, &second, countFree));
    keyVariantFree(variant);
    QCOMPARE(freedArguments, 3);

    List *list = listCreate();
    listAppend(list, &first);
    listAppend(list, nullptr);
    listAppend(list, &second);
    QVERIFY(listRemove(list, &first, countFree));
    listFree(list, countFree);
    QCOMPARE(freedArguments, 5);
}

void TestLayoutEngine::layoutsMoveBetweenKeyboards()
{
    Engine engine;
    Keyboard *second = keyboardCreate();
    QVERIFY(keyboardAddLayout(engine.keyboard, engine.layout));
    QCOMPARE(listCount(engine.keyboard->layouts), 2u);
    QVERIFY(keyboardAddLayout(second, engine.layout));
    QCOMPARE(keyboardLayoutKeyboard(engine.layout), second);
    QCOMPARE(keyboardCurrentLayout(engine.keyboard), nullptr);
    QCOMPARE(keyboardFindById(engine.keyboard, "default"), nullptr);
    QCOMPARE(keyboardFindById(second, "default"), engine.layout);
    QVERIFY(!keyboardRemoveLayout(engine.keyboard, engine.layout));

    Key *key = keyCreate(KeyTypeNormal);
    layoutAddKey(engine.layout, key);
    QCOMPARE(keyKeyboard(key), second);
    QVERIFY(layoutAddKey(engine.other, key));
    QCOMPARE(listCount(keyboardLayoutKeys(engine.layout)), 0u);
    keyboardFree(second);
    QVERIFY(!keyboardSelectLayout(engine.keyboard, "default"));
}

void TestLayoutEngine::detachedKeyRunsActionWithoutKeyboard()
{
    Key *key = keyCreate(KeyTypeNormal);
    keyAppendVariant(key, keyVariantCreate("m", lockModifierAction, modifierArgument(Lock), nullptr));
    QList<Key *> notified;
    addListener(key, recordKey, &notified);
    keyPress(key);
    keyRelease(key);
    QCOMPARE(notified.size(), 2);
    QCOMPARE(keyKeyboard(key), nullptr);
    keyFree(key);
    QCOMPARE(keyboardLayoutCreate(""), nullptr);
    QCOMPARE(keyboardLayoutCreate(nullptr), nullptr);
}

QTEST_GUILESS_MAIN(TestLayoutEngine)
#include "tst_layoutengine.moc"
