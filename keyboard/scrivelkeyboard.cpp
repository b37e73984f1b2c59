#include "keyboard/scrivelkeyboard.h"

#include "keyboard/key.h"
#include "keyboard/keyactions.h"
#include "keyboard/keyboard.h"
#include "keyboard/keyboardlayout.h"
#include "keyboard/keyboardlayoutparser.h"
#include "keyboard/keyvariant.h"
#include "keyboard/scrivelkeyboardbutton.h"
#include "model/resultbuilding.h"
#include "model/specialkeys.h"
#include "pad/padservices.h"
#include "recognition/configrepository.h"
#include "recognition/recognizerconfig.h"
#include "resources/resourcepaths.h"
#include "skin/svguibutton.h"
#include "windows/winutils.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QFile>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QResource>
#include <QStackedLayout>
#include <QXmlStreamReader>

namespace {

// Modifier masks of the layout documents.
constexpr uint32_t shiftMask = 1;
constexpr uint32_t controlMask = 4;
constexpr uint32_t altMask = 16; // "mod2"
constexpr uint32_t winMask = 64; // "mod4"

constexpr int autoRepeatDelayMs = 700;
constexpr char deadPrefix[] = "dead_";
const QString mathLayout = QStringLiteral("math");
const QString defaultLayout = QStringLiteral("default");
const QString mathFont = QStringLiteral("DejaVu Sans");

// The special key character of a keysym; 0 for keysyms that type nothing.
char32_t specialKeyOf(uint32_t keysym)
{
    constexpr uint32_t f1 = 0xFFBE;
    constexpr uint32_t f12 = 0xFFC9;
    if (keysym >= f1 && keysym <= f12)
        return char32_t(SpecialKey::F1) + (keysym - f1);
    switch (keysym) {
    case 0xFF08: return char32_t(SpecialKey::Backspace);
    case 0xFF09: return char32_t(SpecialKey::Tab);
    case 0xFF0D: return char32_t(SpecialKey::Return);
    case 0xFF1B: return char32_t(SpecialKey::Escape);
    case 0xFF15: return char32_t(SpecialKey::SysReq);
    case 0xFFFF: return char32_t(SpecialKey::Delete);
    case 0xFF63: return char32_t(SpecialKey::Insert);
    case 0xFF51: return char32_t(SpecialKey::Left);
    case 0xFF52: return char32_t(SpecialKey::Up);
    case 0xFF53: return char32_t(SpecialKey::Right);
    case 0xFF54: return char32_t(SpecialKey::Down);
    default: return 0;
    }
}

// The ItemStyle colour of a key's face, by its label.
ItemStyle::Color keyColor(const QString &label)
{
    static const QStringList functionKeys = {
        QStringLiteral("Esc"), QStringLiteral("Ins"), QStringLiteral("Del"),
        QStringLiteral("Backspace"), QStringLiteral("Caps"), QStringLiteral("Ctrl"),
        QStringLiteral("Win"), QStringLiteral("\u2318"), QStringLiteral("Alt"),
        QStringLiteral("\u2325"), QStringLiteral("AltGr"), QStringLiteral("Eng"),
        QStringLiteral("Han"), QStringLiteral("Menu"), QStringLiteral("Tab"),
        QStringLiteral("Enter"), QStringLiteral("Shift"), QStringLiteral("LBigShift"),
        QStringLiteral("LSmallShift"), QStringLiteral("PrtSc")};
    static const QStringList arrowKeys = {QStringLiteral("Up"), QStringLiteral("Down"),
                                          QStringLiteral("Left"), QStringLiteral("Right")};
    if (functionKeys.contains(label))
        return ItemStyle::SpecialKeyColor;
    return arrowKeys.contains(label) ? ItemStyle::ArrowKeyColor : ItemStyle::KeyColor;
}

QString variantLabel(const KeyVariant *variant)
{
    return variant ? QString::fromUtf8(keyVariantLabel(variant)) : QString();
}

// Whether one of the key's variants types a dead key.
bool isDeadKey(const Key *key)
{
    for (int i = 0; i < keyVariantCount(key); ++i) {
        const KeyVariant *variant = keyVariantAt(key, i);
        const auto *text = static_cast<const KeyTextArgument *>(keyVariantArgument(variant));
        if (variant->action == textAction && text && text->text
            && QByteArray(text->text).startsWith(deadPrefix))
            return true;
    }
    return false;
}

// Column and row spans from a class "<columns><any character><rows>"; one
// cell for a key without a usable class.
QSize keySpans(const char *className)
{
    static const QRegularExpression spans(QStringLiteral("^(\\d+).(\\d+)$"));
    const QRegularExpressionMatch match = spans.match(QString::fromUtf8(className));
    if (!match.hasMatch())
        return QSize(1, 1);
    return QSize(qMax(1, match.captured(1).toInt()), qMax(1, match.captured(2).toInt()));
}

int fontPixelSizeFor(const QSize &size)
{
    int pixels = 11;
    if (size.width() >= 1000)
        pixels = 20;
    else if (size.width() >= 600)
        pixels = size.width() / 50;
    if (pixels > 15 && size.height() < 200)
        pixels = 15;
    return pixels;
}

QString layoutIdOf(const Keyboard *keyboard)
{
    const KeyboardLayout *layout = keyboard ? keyboardCurrentLayout(keyboard) : nullptr;
    return layout ? QString::fromUtf8(keyboardLayoutId(layout)) : QString();
}

} // namespace

ScrivelKeyboard::ScrivelKeyboard(const BehaviourSettings &behaviour, const ItemStyle &style,
                                 QWidget *parent)
    : InputWidget(KeyboardMode, behaviour, style, parent), m_stack(new QStackedLayout(this))
{
    connect(&m_composer, &HangulComposer::output, this, &ScrivelKeyboard::emitKeyResult);
    connect(&m_composer, &HangulComposer::timeout, this, &ScrivelKeyboard::timeout);
    connect(&m_composer, &HangulComposer::activeChanged, this,
            &ScrivelKeyboard::showModeButtons);
    connect(&m_composer, &HangulComposer::shownChanged, this, [this](const QString &shown) {
        if (m_compositionLabel)
            m_compositionLabel->setText(shown);
    });
    connect(PadServices::instance(), &PadServices::mouseUp, this,
            &ScrivelKeyboard::globalMouseUp);
}

ScrivelKeyboard::~ScrivelKeyboard()
{
    deleteLayoutButtons();
    deleteCompositionLabel();
    clearKeyboard();
}

void ScrivelKeyboard::setLanguage(const LanguageEntry &language)
{
    deleteCompositionLabel();
    InputWidget::setLanguage(language);
    if (loadKeyboardOf(language))
        return;
    emit error();
    // A writing language without a keyboard of its own types on the English one.
    LanguageEntry english;
    english.setName(QStringLiteral("en_US"));
    english.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    if (language.name() == english.name() || !loadKeyboardOf(english))
        clearKeyboard();
}

bool ScrivelKeyboard::loadKeyboardOf(const LanguageEntry &language)
{
    QActionGroup configs(nullptr);
    QXmlStreamReader reader;
    loadConfigs(reader, language, KeyboardMode, QString(), &configs);
    m_language = language.locale().language();
    const auto *config = qobject_cast<const Config *>(configs.checkedAction());
    if (!config)
        return false;
    const QByteArray document = readLayoutDocument(config->recognizerConfig);
    if (document.isEmpty())
        clearKeyboard();
    else
        loadDocument(document);
    return true;
}

QByteArray ScrivelKeyboard::readLayoutDocument(const RecognizerConfig &config)
{
    if (config.resources.isEmpty())
        return QByteArray();
    const QString package = hasUnderscorePrefix(config.languageName) ? config.resourcesBaseName
                                                                     : config.languageName;
    const QString file = QStringLiteral("%1/1%2.rcc").arg(applicationPath(ResourcesFolder), package);
    if (!QResource::registerResource(file, resourcepaths::packageRoot())) {
        qWarning("Keyboard package %s cannot be opened", qUtf8Printable(file));
        return QByteArray();
    }
    QFile document(config.resources.first());
    QByteArray text;
    if (document.open(QIODevice::ReadOnly))
        text = document.readAll();
    else
        qWarning("Keyboard layout %s cannot be read", qUtf8Printable(document.fileName()));
    QResource::unregisterResource(file, resourcepaths::packageRoot());
    return text;
}

bool ScrivelKeyboard::loadDocument(const QByteArray &document)
{
    clearKeyboard();
    const bool loaded = parseDocument(document) && showLayout(defaultLayout);
    if (!loaded)
        clearKeyboard();
    if (m_stack->count() > 0)
        m_stack->setCurrentIndex(0);
    return loaded;
}

bool ScrivelKeyboard::parseDocument(const QByteArray &document)
{
    m_keyboard = keyboardCreate();
    keyboardAddKeyListener(m_keyboard, keyOutputCallback, this);
    addListener(m_keyboard, keysymOutputCallback, this);
    KeyboardLayoutParser *parser = keyboardLayoutParserCreate();
    parserAddLayoutBeginListener(parser, addLayoutGrid, this);
    parserAddLayoutEndListener(parser, finishLayoutGrid, this);
    parserAddRowBeginListener(parser, rowBegin, this);
    parserAddRowEndListener(parser, rowEnd, this);
    addListener(parser, addKeyButton, this);
    const bool parsed = keyboardLayoutParserParse(parser, m_keyboard, document.constData(),
                                                  size_t(document.size()));
    keyboardLayoutParserFree(parser);
    return parsed;
}

void ScrivelKeyboard::clearKeyboard()
{
    // The engine goes first: its keys call back into the buttons.
    keyboardFree(m_keyboard);
    m_keyboard = nullptr;
    m_keys.clear();
    m_grids.clear();
    for (QWidget *page : std::as_const(m_pages))
        delete page;
    m_pages.clear();
    m_firstLayoutId.clear();
    m_mathReturnId.clear();
    m_pendingLayoutId.clear();
    m_altPressed = false;
    m_winPressed = false;
}

void ScrivelKeyboard::createPadButtons(QLayout *bar, QWidget *)
{
    deleteLayoutButtons();
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(0);
    if (!m_keyboard || !keyboardFindById(m_keyboard, mathLayout.toUtf8().constData()))
        return;
    auto *group = new QButtonGroup(this);
    m_layoutButtons = group;
    const auto makeButton = [&](const QString &element, const QString &toolTip) {
        auto *button = new SvgUIButton;
        button->setObjectName(element);
        button->resolveStateElement(QStringLiteral("buttons"), element, QString());
        button->setToolTip(toolTip);
        button->setCheckable(true);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        group->addButton(button);
        bar->addWidget(button);
        return button;
    };
    m_standardButton = makeButton(QStringLiteral("norm_kbd"), tr("Select standard layout"));
    m_mathButton = makeButton(QStringLiteral("math_kbd"), tr("Select math layout"));
    m_standardButton->setChecked(true);
    if (m_layoutButtonsHidden)
        hideLayoutButtons();
    connect(m_standardButton, &QAbstractButton::clicked, this, &ScrivelKeyboard::switchFromMathKb);
    connect(m_mathButton, &QAbstractButton::clicked, this, &ScrivelKeyboard::switchToMathKb);
}

// The layout buttons live in the panel's row, which may delete them first.
void ScrivelKeyboard::deleteLayoutButtons()
{
    delete m_standardButton.data();
    delete m_mathButton.data();
    delete m_layoutButtons.data();
}

void ScrivelKeyboard::hideLayoutButtons()
{
    m_layoutButtonsHidden = true;
    if (m_standardButton)
        m_standardButton->hide();
    if (m_mathButton)
        m_mathButton->hide();
}

QString ScrivelKeyboard::currentLayoutId() const
{
    return layoutIdOf(m_keyboard);
}

QList<ScrivelKeyboardButton *> ScrivelKeyboard::buttons(const QString &layoutId) const
{
    QList<ScrivelKeyboardButton *> found;
    const QGridLayout *grid = m_grids.value(layoutId);
    for (int i = 0; grid && i < grid->count(); ++i) {
        if (auto *button = qobject_cast<ScrivelKeyboardButton *>(grid->itemAt(i)->widget()))
            found << button;
    }
    return found;
}

bool ScrivelKeyboard::addLayoutGrid(KeyboardLayoutParser *, const char *id, const char *,
                                    void *self)
{
    auto *keyboard = static_cast<ScrivelKeyboard *>(self);
    const QString layoutId = QString::fromUtf8(id);
    keyboard->m_column = 0;
    keyboard->m_rowCount = 0;
    keyboard->m_readingLayoutId = layoutId;
    if (keyboard->m_firstLayoutId.isEmpty())
        keyboard->m_firstLayoutId = layoutId;
    if (!keyboard->m_grids.contains(layoutId)) {
        auto *grid = new QGridLayout;
        grid->setSpacing(1);
        grid->setContentsMargins(5, 5, 15, 5);
        keyboard->m_grids.insert(layoutId, grid);
    }
    return false;
}

bool ScrivelKeyboard::finishLayoutGrid(KeyboardLayoutParser *, const char *id, const char *,
                                       KeyboardLayout *, void *self)
{
    auto *keyboard = static_cast<ScrivelKeyboard *>(self);
    const QString layoutId = QString::fromUtf8(id);
    QGridLayout *grid = keyboard->m_grids.value(layoutId);
    if (!grid || grid->parent())
        return false;
    auto *page = new QWidget;
    page->setContentsMargins(0, 0, 0, 0);
    page->setLayout(grid);
    keyboard->m_stack->addWidget(page);
    keyboard->m_pages.insert(layoutId, page);
    for (int row = 0; row < grid->rowCount(); ++row)
        grid->setRowStretch(row, 0);
    // Columns of a set minimum width take no extra space unless they stretch:
    // the math columns share it equally, as the unset columns do.
    const bool math = layoutId == mathLayout;
    for (int column = 0; column < grid->columnCount(); ++column) {
        grid->setColumnStretch(column, math ? 1 : 0);
        if (math)
            grid->setColumnMinimumWidth(column, 10);
    }
    return false;
}

bool ScrivelKeyboard::rowBegin(KeyboardLayoutParser *, const char *, const char *, void *self)
{
    static_cast<ScrivelKeyboard *>(self)->m_column = 0;
    return false;
}

bool ScrivelKeyboard::rowEnd(KeyboardLayoutParser *, const char *, const char *, void *self)
{
    ++static_cast<ScrivelKeyboard *>(self)->m_rowCount;
    return false;
}

bool ScrivelKeyboard::addKeyButton(KeyboardLayoutParser *, const char *, const char *className,
                                   Key *key, void *self)
{
    static_cast<ScrivelKeyboard *>(self)->placeKeyButton(className, key);
    return false;
}

void ScrivelKeyboard::placeKeyButton(const char *className, Key *key)
{
    QGridLayout *grid = m_grids.value(m_readingLayoutId);
    if (!grid)
        return;
    const QSize spans = keySpans(className);
    ScrivelKeyboardButton *button = createKeyButton(key);
    if (m_readingLayoutId == mathLayout) {
        QFont font = button->font();
        font.setFamily(mathFont);
        if (QFontInfo(font).exactMatch())
            button->setFont(font);
    }
    grid->addWidget(button, m_rowCount, m_column, spans.height(), spans.width());
    connect(button, &QPushButton::pressed, this, &ScrivelKeyboard::callbackButtonPress);
    connect(button, &QPushButton::released, this, &ScrivelKeyboard::callbackButtonRelease);
    m_keys.insert(button, key);
    addListener(key, updateKeyButton, button);
    m_column += spans.width();
}

ScrivelKeyboardButton *ScrivelKeyboard::createKeyButton(Key *key)
{
    const QString label = variantLabel(keyCurrentVariant(key));
    const ItemStyle style = itemStyle();
    auto *button = new ScrivelKeyboardButton(style.color(keyColor(label)),
                                             style.color(ItemStyle::SecondKeyColor));
    button->setText(label.isEmpty() ? QStringLiteral(" ") : label);
    button->setCheckable(keyType(key) == KeyTypeToggle);
    button->setAutoRepeat(!isDeadKey(key));
    button->setAutoRepeatDelay(autoRepeatDelayMs);
    button->setAccessibleName(label);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    QFont font = button->font();
    font.setPixelSize(m_fontPixelSize);
    button->setFont(font);
    return button;
}

bool ScrivelKeyboard::updateKeyButton(Key *key, void *userValue)
{
    auto *button = static_cast<ScrivelKeyboardButton *>(userValue);
    if (keyVariantCount(key) > 0) {
        const KeyVariant *variant = keyCurrentVariant(key);
        const QString label = variantLabel(variant);
        button->setText(variant && label.isEmpty() ? QStringLiteral(" ") : label);
    }
    if (keyType(key) == KeyTypeToggle && !button->isDown())
        button->setChecked(keyState(key) == KeyStateDown);
    return false;
}

bool ScrivelKeyboard::showLayout(const QString &id)
{
    QWidget *page = m_pages.value(id);
    if (!page || !keyboardSelectLayout(m_keyboard, id.toUtf8().constData()))
        return false;
    m_stack->setCurrentWidget(page);
    return true;
}

void ScrivelKeyboard::callbackButtonPress()
{
    Key *key = m_keys.value(qobject_cast<ScrivelKeyboardButton *>(sender()));
    if (!key)
        return;
    keyPress(key);
    if (keyboardHasModifier(m_keyboard, altMask))
        m_altPressed = true;
    if (keyboardHasModifier(m_keyboard, winMask))
        m_winPressed = true;
}

void ScrivelKeyboard::callbackButtonRelease()
{
    auto *button = qobject_cast<ScrivelKeyboardButton *>(sender());
    Key *key = m_keys.value(button);
    if (!key)
        return;
    keyRelease(key);
    if (!button->isChecked()) {
        if (m_altPressed && !keyboardHasModifier(m_keyboard, altMask))
            sendText(specialKeyText(SpecialKey::Alt));
        if (m_winPressed && !keyboardHasModifier(m_keyboard, winMask))
            sendText(specialKeyText(SpecialKey::Win));
    }
    if (!m_pendingLayoutId.isEmpty()) {
        const QString id = m_pendingLayoutId;
        m_pendingLayoutId.clear();
        showLayout(id);
    }
    // A release on a key is a release inside the panel, whether or not a
    // system-wide hook reports it; the key's output is already delivered.
    m_composer.mouseReleased(true);
}

QString ScrivelKeyboard::modifierPrefix(bool forText) const
{
    QString prefix;
    if (keyboardHasModifier(m_keyboard, controlMask))
        prefix += specialKeyText(SpecialKey::Ctrl);
    if (keyboardHasModifier(m_keyboard, altMask))
        prefix += specialKeyText(SpecialKey::Alt);
    if (!forText && keyboardHasModifier(m_keyboard, shiftMask))
        prefix += specialKeyText(SpecialKey::Shift);
    if (forText && keyboardHasModifier(m_keyboard, winMask))
        prefix += specialKeyText(SpecialKey::Win);
    return prefix;
}

bool ScrivelKeyboard::keysymOutputCallback(Keyboard *, uint32_t keysym, uint32_t, void *self)
{
    auto *keyboard = static_cast<ScrivelKeyboard *>(self);
    keyboard->handleKey(keysym, keyboard->modifierPrefix(false));
    return false;
}

bool ScrivelKeyboard::keyOutputCallback(Keyboard *, const char *text, size_t length, void *self)
{
    static_cast<ScrivelKeyboard *>(self)->handleText(
        QString::fromUtf8(text, qsizetype(length)));
    return false;
}

void ScrivelKeyboard::handleKey(uint32_t keysym, const QString &prefix)
{
    m_altPressed = false;
    m_winPressed = false;
    const char32_t special = specialKeyOf(keysym);
    if (!special)
        return;
    const QString character = QString::fromUcs4(&special, 1);
    if (isKoreanMode() && m_composer.composeKeysym(character))
        return;
    emitKeyResult(prefix + character);
}

void ScrivelKeyboard::handleText(const QString &text)
{
    const QString dead = QString::fromLatin1(deadPrefix);
    if (text == QLatin1String("menu"))
        sendText(specialKeyText(SpecialKey::Menu));
    else if (!text.startsWith(dead))
        sendText(modifierPrefix(true) + text);
    // The keys after a dead key are a layout of the dead key's name; one key
    // typed there brings back the first layout. Both switch on the release.
    if (currentLayoutId().startsWith(dead))
        m_pendingLayoutId = m_firstLayoutId;
    else if (text.startsWith(dead))
        m_pendingLayoutId = text;
}

void ScrivelKeyboard::sendText(const QString &text)
{
    m_altPressed = false;
    m_winPressed = false;
    if (!isKoreanMode()) {
        emitKeyResult(text);
        return;
    }
    ensureCompositionLabel();
    m_composer.composeText(text);
}

void ScrivelKeyboard::emitKeyResult(const QString &text)
{
    RecognitionResult result = resultFromText(text, 0);
    result.layout().flags |= ResultLayout::MiniKeyboardKey;
    emit exportModel(result);
}

void ScrivelKeyboard::switchToMathKb()
{
    const QString current = currentLayoutId();
    if (current != mathLayout)
        m_mathReturnId = current;
    showLayout(mathLayout);
}

void ScrivelKeyboard::switchFromMathKb()
{
    if (m_mathReturnId.isEmpty())
        return;
    showLayout(m_mathReturnId);
    m_mathReturnId.clear();
}

void ScrivelKeyboard::importModelEvent(const RecognitionResult &) {}

void ScrivelKeyboard::importModelEvent() {}

void ScrivelKeyboard::sendActionEvent() {}

void ScrivelKeyboard::globalMouseUp(const QPoint &point)
{
    m_composer.mouseReleased(window()->frameGeometry().contains(point));
}

void ScrivelKeyboard::ensureCompositionLabel()
{
    if (m_compositionLabel)
        return;
    m_composer.endComposition();
    m_compositionLabel = new QLabel;
    QFont font = m_compositionLabel->font();
    font.setPixelSize(16);
    m_compositionLabel->setFont(font);
    m_compositionLabel->setFixedWidth(23);
    m_compositionLayout = new QHBoxLayout;
    m_compositionLayout->addStretch(1);
    m_compositionLayout->addWidget(m_compositionLabel);
    m_compositionLayout->setSpacing(0);
    m_compositionLayout->setContentsMargins(0, 0, 0, 0);
    m_compositionLayout->setAlignment(Qt::AlignTop);
    QWidget *host = panelWidget(QStringLiteral("keyboardKoModeButton"));
    if (host && !host->layout())
        host->setLayout(m_compositionLayout);
}

void ScrivelKeyboard::deleteCompositionLabel()
{
    if (!m_compositionLabel)
        return;
    m_composer.endComposition();
    delete m_compositionLabel;
    delete m_compositionLayout;
}

void ScrivelKeyboard::showModeButtons(bool composing)
{
    if (QWidget *korean = panelWidget(QStringLiteral("keyboardKoModeButton")))
        korean->setVisible(composing);
    if (QWidget *standard = panelWidget(QStringLiteral("keyboardModeButton")))
        standard->setVisible(!composing);
}

QWidget *ScrivelKeyboard::panelWidget(const QString &name) const
{
    return window()->findChild<QWidget *>(name);
}

void ScrivelKeyboard::resizeEvent(QResizeEvent *event)
{
    m_fontPixelSize = fontPixelSizeFor(size());
    for (ScrivelKeyboardButton *button : m_keys.keys()) {
        QFont font = button->font();
        font.setPixelSize(m_fontPixelSize);
        button->setFont(font);
    }
    InputWidget::resizeEvent(event);
}

void ScrivelKeyboard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
}
