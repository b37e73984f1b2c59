#include "panel/mainframe.h"

#include "calculator/calculatorwritepad.h"
#include "keyboard/scrivelkeyboard.h"
#include "lang/localeprefs.h"
#include "modes/cursivewritepad.h"
#include "modes/isotrainerwritepad.h"
#include "modes/isowritepad.h"
#include "panel/inkdump.h"
#include "panel/links.h"
#include "panel/panelservices.h"
#include "panel/prefdialog.h"
#include "pad/padservices.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "pad/writepad.h"
#include "platform/prompt.h"
#include "recognition/configrepository.h"
#include "skin/layeredlayout.h"
#include "skin/monitoring.h"
#include "skin/resizehandle.h"
#include "skin/skinreader.h"
#include "skin/svguibutton.h"
#include "skin/svguitextbutton.h"
#include "skin/svguiwidget.h"
#include "windows/imfintegrator.h"
#include "windows/imfintegratorbase.h"
#include "windows/winutils.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace {

bool hasInk(const RecognitionResult &result)
{
    return !result.root().ink().isEmpty();
}

bool hasMethod(const QObject *object, const char *signature)
{
    return object->metaObject()->indexOfMethod(signature) >= 0;
}

QString appName()
{
    return MainFrame::tr("Inkora Scrivel");
}

// In a right-to-left interface a left-to-right text (one not yet translated) ends with a
// left-to-right mark, so that its closing punctuation stays at its end ("About...").
QString interfaceText(const QString &text)
{
    if (!QGuiApplication::isRightToLeft() || text.isRightToLeft())
        return text;
    return text + QChar(0x200E);
}

struct ModeButton
{
    int mode;
    const char *button;
    const char *toolTip;
};

const ModeButton modeButtons[] = {
    {CursiveMode, "cursiveLRModeButton", QT_TRANSLATE_NOOP("MainFrame", "Writing Pad")},
    {CursiveMode, "cursiveRLModeButton", QT_TRANSLATE_NOOP("MainFrame", "Writing Pad")},
    {IsolatedMode, "isoLRModeButton", QT_TRANSLATE_NOOP("MainFrame", "Character Pad")},
    {IsolatedMode, "isoRLModeButton", QT_TRANSLATE_NOOP("MainFrame", "Character Pad")},
    {KeyboardMode, "keyboardModeButton", QT_TRANSLATE_NOOP("MainFrame", "Virtual Keyboard")},
    {CalculatorMode, "calculatorCalcModeButton", QT_TRANSLATE_NOOP("MainFrame", "Calculator")},
    {CalculatorMode, "calculatorFormulaModeButton", QT_TRANSLATE_NOOP("MainFrame", "Calculator")},
};

const char *const borderPieces[] = {"topLeft", "topRight", "right", "bottomRight", "bottom",
                                    "bottomLeft", "left"};
const char *const cornerPieces[] = {"topLeft", "topRight", "bottomLeft", "bottomRight"};

} // namespace

MainFrame::MainFrame(QWidget *parent)
    : QWidget(parent)
    , m_skin(std::make_unique<SkinReader>())
{
    qRegisterMetaType<UndoType>("UndoType");
    pushUndo(RecognitionResult(), true);
    PanelServices *services = PanelServices::instance();
    services->setPanelWindow(this);
    m_integrator = services->integrator();
    LocalePrefs prefs;
    int lastMode = CursiveMode;
    services->loadSettings(&prefs, &lastMode);
    if (m_integrator) {
        m_integrator->setPanelWidget(this);
        // The keyboard's Korean composition ends on a release outside the panel.
        connect(m_integrator, &IMFIntegratorBase::mouseUp, PadServices::instance(),
                &PadServices::mouseUp);
    }
    loadSkin();
    createMenu(prefs);
    createTitleButtons();
    createModeActions(lastMode);
    createLayouts();
    if (m_inputLayout)
        m_inputMargins = m_inputLayout->contentsMargins();
    if (m_integrator)
        connect(m_integrator, &IMFIntegratorBase::workAreaResized, this, &MainFrame::screenChanged);
    setInputWidget(createInputWidget(lastMode), true);
    setFloatingWindowFlags(this, false);
    setSkinVisible("emptyModeButton", false);
    for (const char *name : {"minimizeButton", "sendButton", "cursiveLRModeButton",
                             "cursiveRLModeButton"}) {
        if (QWidget *w = skinButton(name))
            w->raise();
    }
    setWindowTitle(appName());
}

MainFrame::~MainFrame()
{
    m_drag.reset();
    if (m_inputWidget)
        PanelServices::instance()->saveInputWidgetSettings(m_inputWidget);
    delete m_inputWidget.data();
}

// Construction

void MainFrame::loadSkin()
{
    QFile file(QStringLiteral(":/data/skin/skin.xml"));
    // The reader mirrors its grids for right-to-left itself, so the panel keeps left-to-right
    // layouts and only pieces without a direction of their own take the application's.
    const Qt::LayoutDirection direction = QGuiApplication::layoutDirection();
    m_skinLoaded = file.open(QIODevice::ReadOnly | QIODevice::Text)
                   && m_skin->readSkinDocument(&file, QStringLiteral(":/data/images"), direction);
    if (!m_skinLoaded) {
        PanelServices::instance()->setExitError(5, m_skin->errorDetail(file.fileName()));
        PanelServices::instance()->runExitSequence();
        return;
    }
    setLayoutDirection(Qt::LeftToRight);
}

void MainFrame::createMenu(const LocalePrefs &prefs)
{
    m_languageMenu = new QMenu(this);
    m_languageMenu->setObjectName(QStringLiteral("languageMenu"));
    m_languageGroup = new QActionGroup(this);
    connect(m_languageGroup, &QActionGroup::triggered, this, [this] {
        if (m_magicAction->isChecked())
            m_magicAction->setChecked(false);
        updateRecoLocale();
    });
    auto action = [this](const QString &text) { return new QAction(interfaceText(text), this); };
    m_settingsAction = action(tr("Settings"));
    m_languagesAction = action(tr("Languages..."));
    m_dictionaryAction = action(tr("Dictionary..."));
    connect(m_settingsAction, &QAction::triggered, this, &MainFrame::showAllPreferences);
    connect(m_languagesAction, &QAction::triggered, this, &MainFrame::showLanguagesPreferences);
    connect(m_dictionaryAction, &QAction::triggered, this,
            &MainFrame::showDictionaryPreferences);
    m_sendAction = action(tr("Insert"));
    m_sendAction->setStatusTip(tr("Insert your input in the target application"));
    m_magicAction = action(tr("Edition wizard"));
    m_magicAction->setCheckable(true);
    m_magicAction->setEnabled(false);
    m_clearAction = action(tr("Clear"));
    m_clearAction->setEnabled(false);
    m_keypadAction = action(tr("Keypad"));
    m_keypadAction->setCheckable(true);
    m_keypadAction->setChecked(PanelServices::instance()->showKeypad());
    m_keypadAction->setToolTip(tr("Keypad On/Off"));
    connect(m_keypadAction, &QAction::triggered, this, &MainFrame::toggleMiniKeyboardActEvent);
    m_trainingAction = action(tr("Start training"));
    m_trainingAction->setData(int(IsoTrainerMode));
    m_trainingAction->setToolTip(m_trainingAction->text());
    connect(m_trainingAction, &QAction::triggered, this,
            qOverload<>(&MainFrame::changeTrainingMode));
    m_showAction = action(tr("Show"));
    m_hideAction = action(tr("Hide"));
    QAction *exitAction = action(tr("Exit"));
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
    m_helpAction = action(tr("Help"));
    connect(m_helpAction, &QAction::triggered, this, &MainFrame::showHelp);
    QAction *aboutAction = action(tr("About..."));
    connect(aboutAction, &QAction::triggered, this, &MainFrame::showAbout);
    if (!linkFromFile().isEmpty()) {
        m_storeAction = action(tr("Check for updates..."));
        connect(m_storeAction, &QAction::triggered, this, &MainFrame::openStore);
    }
    m_contextMenu = new QMenu(this);
    m_contextMenu->addAction(m_helpAction);
    m_contextMenu->addAction(aboutAction);
    if (m_storeAction)
        m_contextMenu->addAction(m_storeAction);
    m_contextMenu->addAction(m_keypadAction);
    m_contextMenu->addSeparator();
    m_contextMenu->addAction(m_settingsAction);
    m_contextMenu->addSeparator();
    m_contextMenu->addAction(m_showAction);
    m_contextMenu->addAction(m_hideAction);
    m_contextMenu->addAction(exitAction);
    connect(m_contextMenu, &QMenu::aboutToShow, this, &MainFrame::enableVisibilityActions);
    updateLanguageMenu(prefs, true);
}

void MainFrame::updateLanguageMenu(const LocalePrefs &prefs, bool checkUnlisted)
{
    for (QAction *a : m_languageGroup->actions()) {
        m_languageGroup->removeAction(a);
        delete a;
    }
    buildLanguageMenu(prefs, m_languageGroup, checkUnlisted);
    fillConfigMenu(m_languageGroup, m_languageMenu);
    updateLanguageActionTexts(m_languageGroup);
    if (m_languageGroup->actions().isEmpty()) {
        PanelServices::instance()->setExitError(4, QString());
        PanelServices::instance()->runExitSequence();
    }
}

void MainFrame::createTitleButtons()
{
    if (SvgUIButton *minimize = skinButton("minimizeButton")) {
        minimize->setDefaultAction(m_hideAction);
        minimize->setButtonMode(SvgUIButton::HandOver);
    }
    for (const char *name : {"buttonSpacer1", "buttonSpacer2"}) {
        if (SvgUIWidget *spacer = skinWidget(name))
            spacer->setMaximumHeight(15);
    }
    m_sendButton = skinButton("sendButton");
    if (m_sendButton)
        m_sendButton->setDefaultAction(m_sendAction);
    if (QWidget *bar = m_skin->widget(QStringLiteral("langButtonsBar"))) {
        auto *layout = new QHBoxLayout(bar);
        layout->setContentsMargins(0, 0, 0, 0);
        m_languageButton = new SvgUITextButton(bar);
        m_languageButton->setToolTip(tr("Writing Language"));
        m_languageButton->setButtonMode(SvgUIButton::Combo);
        m_languageButton->setMenu(m_languageMenu);
        layout->addWidget(m_languageButton);
    }
    // The arrow beside the language button opens the same menu.
    if (SvgUIButton *arrow = skinButton("onglet"))
        arrow->setMenu(m_languageMenu);
    if (SvgUIButton *menu = skinButton("menuButton")) {
        menu->setToolTip(tr("Settings"));
        menu->setButtonMode(SvgUIButton::HandOver);
        menu->setContextMenu(m_contextMenu);
        // Through the Settings action, which training and login mode disable.
        connect(menu, &SvgUIButton::clicked, this, [this] {
            m_magicAction->setChecked(false);
            m_settingsAction->trigger();
        });
    }
    if (SvgUIButton *fullScreen = skinButton("fullScreenButton")) {
        fullScreen->setToolTip(tr("Enter full screen mode"));
        fullScreen->setButtonMode(SvgUIButton::HandOver);
    }
}

void MainFrame::createModeActions(int lastMode)
{
    const bool rightToLeft = writingDirection() == WritingDirection::RightToLeft;
    const bool hongKong = currentWritingLocale().territory() == QLocale::HongKong;
    const bool solveAuto = PanelServices::instance()->behaviour().solveAuto;
    m_modeGroup = new QActionGroup(this);
    m_modeGroup->setExclusive(true);
    for (const ModeButton &entry : modeButtons) {
        const QString name = QLatin1String(entry.button);
        auto *action = new QAction(tr(entry.toolTip), m_modeGroup);
        action->setCheckable(true);
        action->setData(entry.mode);
        action->setToolTip(tr(entry.toolTip));
        action->setObjectName(name);
        const bool leftVariant = !name.contains(QLatin1String("RL"));
        bool checked = lastMode == entry.mode;
        if (entry.mode == CursiveMode)
            checked = checked && !hongKong && leftVariant != rightToLeft;
        else if (entry.mode == IsolatedMode)
            checked = (checked && leftVariant != rightToLeft)
                      || (lastMode == CursiveMode && hongKong && leftVariant);
        else if (entry.mode == CalculatorMode)
            checked = checked && (name.contains(QLatin1String("Calc")) == solveAuto);
        action->setChecked(checked);
        if (SvgUIButton *button = m_skin->button(name)) {
            button->setCheckable(true);
            button->setDefaultAction(action);
        }
    }
    setSkinVisible("keyboardKoModeButton", false);
    connect(m_modeGroup, &QActionGroup::triggered, this, &MainFrame::changeMainInputMode);
}

void MainFrame::createLayouts()
{
    if (QWidget *bar = m_skin->widget(QStringLiteral("inputButtonsBar"))) {
        m_padButtonBar = new QHBoxLayout(bar);
        m_padButtonBar->setContentsMargins(0, 0, 0, 0);
        m_padButtonBar->setSpacing(0);
    }
    m_leftSend = skinWidget("leftSend");
    m_rightSend = skinWidget("rightSend");
    m_inputLayout = qobject_cast<QGridLayout *>(m_skin->layout(QStringLiteral("inputLayout")));
    if (QLayout *main = m_skin->layout(QStringLiteral("mainLayout")))
        setLayout(main);
    for (QWidget *piece : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!piece->testAttribute(Qt::WA_SetLayoutDirection))
            piece->setLayoutDirection(QGuiApplication::layoutDirection());
    }
    if (PanelServices::instance()->dockingMode())
        filterTopPieces(true);
    createResizeHandles(false);
}

void MainFrame::createResizeHandles(bool docked)
{
    // Docked, the panel is resized through its top pieces.
    const ResizeEdges edges = docked ? ResizeEdges()
                                     : ResizeEdge::TopLeft | ResizeEdge::TopRight
                                           | ResizeEdge::BottomLeft | ResizeEdge::BottomRight;
    m_handles = makeResizeHandles(edges, {}, this);
    installFilterOnHandles(m_handles, this);
}

void MainFrame::filterTopPieces(bool on)
{
    for (const char *name : {"modesBar", "onglet", "topLeft", "topRight"}) {
        SvgUIWidget *piece = skinWidget(name);
        if (piece && on)
            piece->installEventFilter(this);
        else if (piece)
            piece->removeEventFilter(this);
    }
}

void MainFrame::setDockingMode(bool docked)
{
    deleteHandles(m_handles);
    filterTopPieces(docked);
    createResizeHandles(docked);
    showHandles(m_handles);
    raiseHandles(m_handles);
    for (const char *name : {"minimizeButton", "sendButton", "cursiveLRModeButton",
                             "cursiveRLModeButton"}) {
        if (QWidget *w = skinButton(name))
            w->raise();
    }
    PanelServices::instance()->setDockingMode(docked);
    fitToAvailableGeometry(docked, false);
}

QPoint MainFrame::preventOverlap(const QRect &r) const
{
    PanelServices *services = PanelServices::instance();
    const int line = services->protectedLine();
    if (services->dockingMode() || line == -1 || line < r.top() || line > r.bottom())
        return r.topLeft();
    const QRect screen = services->availableGeometry();
    const int gap = int(screen.height() * 0.1);
    const int h = r.height();
    const QPoint above(r.x(), line - gap - h);
    const QPoint below(r.x(), line + gap);
    const bool aboveFits = above.y() >= screen.top();
    const bool belowFits = below.y() + h <= screen.bottom();
    if (line > (r.top() + r.bottom() + 1) >> 1)
        return aboveFits ? above : belowFits ? below : r.topLeft();
    return belowFits ? below : aboveFits ? above : r.topLeft();
}

bool MainFrame::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove
        && type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint global = mouse->globalPosition().toPoint();
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton && !m_drag) {
        auto *handle = qobject_cast<ResizeHandle *>(watched);
        m_drag = std::make_unique<Monitoring>(this, Monitoring::Resize, global, this,
                                              handle ? handle->edge() : ResizeEdge::Top);
        m_drag->setOrigin(pos());
        if (!handle)
            setCursor(Qt::SizeVerCursor);
        return true;
    }
    if (m_drag && type == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton)) {
        m_drag->applyDrag(global);
        return true;
    }
    if (m_drag && type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
        m_drag->applyDrag(global);
        unsetCursor();
        m_drag.reset();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Skin lookups

SvgUIButton *MainFrame::skinButton(const char *name) const
{
    return m_skin->button(QLatin1String(name));
}

SvgUIWidget *MainFrame::skinWidget(const char *name) const
{
    return m_skin->svgWidget(QLatin1String(name));
}

void MainFrame::setSkinVisible(const char *name, bool visible) const
{
    if (QWidget *w = m_skin->widget(QLatin1String(name)))
        w->setVisible(visible);
}

void MainFrame::clickModeButton(const char *name)
{
    for (QAction *action : m_modeGroup->actions()) {
        if (action->objectName() == QLatin1String(name)) {
            action->trigger();
            return;
        }
    }
}

// Languages

QString MainFrame::currentWritingLanguage() const
{
    const QAction *checked = m_languageGroup ? m_languageGroup->checkedAction() : nullptr;
    return checked ? labelTail(checked->data().toString()) : QString();
}

QLocale MainFrame::currentWritingLocale() const
{
    const QString name = currentWritingLanguage();
    return name.isEmpty() ? QLocale(QLocale::English, QLocale::UnitedStates) : QLocale(name);
}

WritingDirection MainFrame::writingDirection() const
{
    const QLocale::Language language = currentWritingLocale().language();
    return language == QLocale::Arabic || language == QLocale::Hebrew
               ? WritingDirection::RightToLeft
               : WritingDirection::LeftToRight;
}

bool MainFrame::isTraining() const
{
    return m_trainingAction->data().toInt() != IsoTrainerMode;
}

void MainFrame::updateRecoLocale()
{
    updateLanguageActionTexts(m_languageGroup);
    RecognitionResult current = m_undo.takeLast();
    const InkRange ink = current.root().ink();
    current = current.withInkOfType(2, ink, true).withInkOfType(0, ink, true);
    m_undo.append(current);
    applyWritingLanguage();
    placeSkinElements(true, m_inputWidget && m_inputWidget->inputMode() == IsoTrainerMode);
    updateUndoButtons();
    manageCalcButtonMode();
}

void MainFrame::applyWritingLanguage()
{
    if (m_inputWidget && m_inputWidget->inputMode() == IsoTrainerMode)
        return;
    QString code = currentWritingLanguage().left(2);
    if (!code.isEmpty())
        code[0] = code.at(0).toUpper();
    emit languageChanged(code);
    if (m_languageButton)
        m_languageButton->updateSkinElement(code);
    auto checked = [this](const char *name) {
        const SvgUIButton *button = skinButton(name);
        return button && button->isChecked();
    };
    if (writingDirection() == WritingDirection::RightToLeft) {
        if (checked("isoLRModeButton"))
            clickModeButton("isoRLModeButton");
        else if (checked("cursiveLRModeButton"))
            clickModeButton("cursiveRLModeButton");
        else
            initInputWidget(m_inputWidget);
    } else if (currentWritingLocale().territory() == QLocale::HongKong
               && (checked("cursiveLRModeButton") || checked("cursiveRLModeButton"))) {
        m_trainingAction->setEnabled(false);
        clickModeButton("isoLRModeButton");
        setSkinVisible("cursiveLRModeButton", false);
    } else if (checked("isoRLModeButton")) {
        clickModeButton("isoLRModeButton");
    } else if (checked("cursiveRLModeButton")) {
        clickModeButton("cursiveLRModeButton");
    } else {
        initInputWidget(m_inputWidget);
    }
}

void MainFrame::placeSkinElements(bool visible, bool keyboardOnly)
{
    setUpdatesEnabled(false);
    for (const char *name : borderPieces)
        setSkinVisible(name, visible);
    if (!m_handles.isEmpty() && m_inputLayout) {
        m_inputLayout->setContentsMargins(visible ? m_inputMargins : QMargins(-1, -1, 0, 0));
        visible ? showHandles(m_handles) : hideHandles(m_handles);
    }
    if (SvgUIButton *fullScreen = skinButton("fullScreenButton")) {
        fullScreen->setEnabled(qobject_cast<CursiveWritepad *>(m_inputWidget.data()));
        fullScreen->show();
    }
    setSkinVisible("inputButtonsBar", visible);
    const int mode = m_inputWidget ? m_inputWidget->inputMode() : UnknownMode;
    const char *const modeNames[] = {"cursiveLRModeButton", "cursiveRLModeButton",
                                     "isoLRModeButton", "isoRLModeButton",
                                     "keyboardModeButton", "calculatorCalcModeButton",
                                     "calculatorFormulaModeButton"};
    if (mode == KeyboardMode && keyboardOnly) {
        for (const char *name : modeNames)
            setSkinVisible(name, false);
        setSkinVisible("menuButton", false);
    } else if (mode == IsoTrainerMode) {
        for (const char *name : modeNames)
            setSkinVisible(name, false);
        setSkinVisible("menuButton", false);
        if (m_languageButton)
            m_languageButton->hide();
    } else {
        const bool hongKong = currentWritingLocale().territory() == QLocale::HongKong;
        setSkinVisible("cursiveLRModeButton", visible && !hongKong);
        setSkinVisible("cursiveRLModeButton", visible && !hongKong);
        for (const char *name : {"isoLRModeButton", "isoRLModeButton", "keyboardModeButton",
                                 "menuButton"})
            setSkinVisible(name, visible);
        if (m_languageButton)
            m_languageButton->setVisible(visible);
        setSkinVisible("pinyinModeButton", false);
        const bool solveAuto = PanelServices::instance()->behaviour().solveAuto;
        setSkinVisible("calculatorCalcModeButton", visible && solveAuto);
        setSkinVisible("calculatorFormulaModeButton", visible && !solveAuto);
        if (visible && writingDirection() == WritingDirection::RightToLeft) {
            setSkinVisible("cursiveLRModeButton", false);
            setSkinVisible("isoLRModeButton", false);
        } else if (visible) {
            setSkinVisible("cursiveRLModeButton", false);
            setSkinVisible("isoRLModeButton", false);
        }
    }
    if (layout())
        layout()->activate();
    setSkinVisible("minimizeButton", visible);
    setSkinVisible("emptyModeButton", false);
    setUpdatesEnabled(true);
    update();
}

// Input widgets

InputWidget *MainFrame::createInputWidget(int mode)
{
    setSkinVisible("topRight", true);
    if (m_languageButton)
        m_languageButton->show();
    setSkinVisible("menuButton", true);
    if (SvgUIButton *fullScreen = skinButton("fullScreenButton")) {
        fullScreen->setEnabled(mode == CursiveMode);
        fullScreen->show();
    }
    const QRect desktop = PanelServices::instance()->desktopGeometry();
    const BehaviourSettings behaviour = PanelServices::instance()->behaviour();
    const ItemStyle style = PanelServices::instance()->itemStyle();
    auto direction = [this](const char *leftButton) {
        const SvgUIButton *button = skinButton(leftButton);
        return !button || button->isChecked() ? WritingDirection::LeftToRight
                                              : WritingDirection::RightToLeft;
    };
    InputWidget *widget = nullptr;
    switch (mode) {
    case CursiveMode:
        m_keypadAction->setVisible(true);
        widget = new CursiveWritepad(behaviour, style, direction("cursiveLRModeButton"),
                                     m_keypadAction, m_magicAction, m_clearAction, this);
        setMinimumSize(320, 170);
        setMaximumHeight(desktop.height());
        break;
    case IsolatedMode:
        m_keypadAction->setVisible(true);
        widget = new IsoWritepad(behaviour, style, direction("isoLRModeButton"), m_keypadAction,
                                 this);
        setMinimumSize(450, 200);
        setMaximumHeight(800);
        break;
    case KeyboardMode:
        m_keypadAction->setVisible(false);
        widget = new ScrivelKeyboard(behaviour, style, this);
        setMinimumSize(550, 250);
        setMaximumHeight(800);
        break;
    case CalculatorMode:
        m_keypadAction->setVisible(true);
        widget = createCalculatorWritepad(behaviour, style);
        setMinimumSize(400, 170);
        setMaximumHeight(desktop.height());
        break;
    case IsoTrainerMode:
        m_undo = {RecognitionResult()};
        updateUndoButtons();
        publishCurrent();
        widget = new IsoTrainerWritepad(behaviour, style, writingDirection(), m_trainingAction,
                                        this);
        widget->createPadButtons(m_padButtonBar, this);
        setMinimumSize(600, 200);
        setMaximumHeight(800);
        break;
    default:
        setMinimumSize(500, 200);
        setMaximumHeight(800);
        break;
    }
    if (widget)
        widget->initialize();
    buildPanelOutline();
    return widget;
}

void MainFrame::setInputWidget(InputWidget *widget, bool initial)
{
    if (m_inputWidget) {
        PanelServices::instance()->saveInputWidgetSettings(m_inputWidget);
        if (m_inputLayout)
            m_inputLayout->removeWidget(m_inputWidget);
        delete m_inputWidget.data();
    }
    m_inputWidget = widget;
    if (!widget)
        return;
    connect(widget, &InputWidget::configStatus, this, &MainFrame::inputWidgetConfigStatusEvent);
    connect(widget, &InputWidget::undo, this, &MainFrame::undoEvent);
    connect(this, &MainFrame::exportModel, widget, &InputWidget::importModelEvent);
    connect(widget, &InputWidget::exportModel, this, &MainFrame::importModelEvent);
    if (m_integrator)
        connect(m_integrator, &IMFIntegratorBase::workAreaResized, widget,
                &InputWidget::screenChanged);
    if (hasMethod(widget, "enableUndoButtonsEvent(UndoType,bool)"))
        connect(this, SIGNAL(enableUndoButtons(UndoType,bool)), widget,
                SLOT(enableUndoButtonsEvent(UndoType,bool)));
    QObject *model = widget->modelObject();
    if (model && hasMethod(model, "timeout()"))
        connect(model, SIGNAL(timeout()), this, SLOT(sendInput()));
    if (model && hasMethod(model, "expandScrivel(float,float,Qt::Alignment,bool)"))
        connect(model, SIGNAL(expandScrivel(float,float,Qt::Alignment,bool)), this,
                SLOT(expandScrivelEvent(float,float,Qt::Alignment,bool)));
    if (model && hasMethod(model, "resetGuideLinesXEvent()"))
        connect(this, SIGNAL(resetGuideLinesX()), model, SLOT(resetGuideLinesXEvent()));
    if (model && hasMethod(model, "correctionRequestAtPos(int)"))
        connect(model, SIGNAL(correctionRequestAtPos(int)), this,
                SLOT(correctionRequestAtPosEvent(int)));
    if (m_inputLayout) {
        widget->setParent(this);
        m_inputLayout->addWidget(widget, 0, 0);
        widget->lower();
    }
    disconnect(m_sendAction, &QAction::triggered, nullptr, nullptr);
    connect(m_sendAction, &QAction::triggered, this, &MainFrame::sendActionEvent);
    if (initial)
        updateRecoLocale();
    else
        initInputWidget(widget);
    updateUndoButtons();
    if (m_languageButton && !m_languageButton->isEnabled() && widget->inputMode() == KeyboardMode) {
        QApplication::restoreOverrideCursor();
        m_languageButton->setEnabled(true);
    }
    widget->show();
}

void MainFrame::initInputWidget(InputWidget *widget)
{
    if (!widget)
        return;
    const QAction *checked = m_languageGroup->checkedAction();
    LanguageEntry entry;
    entry.setName(checked ? labelHead(checked->data().toString()) : QString());
    entry.setLocale(currentWritingLocale());
    PanelServices *services = PanelServices::instance();
    // The user's words, read by the configurations that take a user lexicon.
    entry.setLexicons(services->preferences().allWords);
    services->loadInputWidgetSettings(widget);
    fitToAvailableGeometry(services->dockingMode(), false);
    if (m_keypadAction->isChecked() != services->showKeypad())
        m_keypadAction->setChecked(services->showKeypad());
    widget->setStyle(services->itemStyle());
    widget->setBehaviour(services->behaviour());
    widget->setLanguage(entry);
    if (m_padButtonBar) {
        // The pad's buttons keep their size at the bar's start.
        for (int i = m_padButtonBar->count() - 1; i >= 0; --i) {
            if (m_padButtonBar->itemAt(i)->spacerItem())
                delete m_padButtonBar->takeAt(i);
        }
        widget->createPadButtons(m_padButtonBar, this);
        m_padButtonBar->addStretch();
    }
    emit exportModel(m_undo.last());
    widget->adjustSize();
}

void MainFrame::changeMainInputMode(QAction *action)
{
    const int mode = action->data().toInt();
    if (mode == CalculatorMode && m_inputWidget && m_inputWidget->inputMode() == CalculatorMode)
        return;
    if (m_magicAction->isChecked())
        m_magicAction->setChecked(false);
    setInputWidget(createInputWidget(mode), false);
}

void MainFrame::updateMainInputMode(InputMode mode)
{
    const bool rightToLeft = writingDirection() == WritingDirection::RightToLeft;
    const bool solveAuto = PanelServices::instance()->behaviour().solveAuto;
    if (mode == CursiveMode)
        clickModeButton(rightToLeft ? "cursiveRLModeButton" : "cursiveLRModeButton");
    else if (mode == IsolatedMode)
        clickModeButton(rightToLeft ? "isoRLModeButton" : "isoLRModeButton");
    else if (mode == KeyboardMode)
        clickModeButton("keyboardModeButton");
    else if (mode == CalculatorMode)
        clickModeButton(solveAuto ? "calculatorCalcModeButton" : "calculatorFormulaModeButton");
}

void MainFrame::setHiddenStateQuery(std::function<bool()> query)
{
    m_hiddenStateQuery = std::move(query);
}

void MainFrame::enableVisibilityActions()
{
    const bool hidden = m_hiddenStateQuery ? m_hiddenStateQuery() : !isVisible();
    m_showAction->setVisible(hidden);
    m_hideAction->setVisible(!hidden);
}

void MainFrame::showAbout()
{
    emit aboutRequested();
}

void MainFrame::showHelp()
{
    Prompt::openUrl(QUrl::fromLocalFile(applicationPath(DocumentationFolder)
                                        + QStringLiteral("/index_with_calculator.htm")));
}

void MainFrame::openStore()
{
    Prompt::openUrl(QUrl(readLinks()));
}

void MainFrame::loginKeyboardMode()
{
    m_loginKeyboard = true;
    clickModeButton("keyboardModeButton");
    placeSkinElements(true, true);
    if (m_storeAction)
        m_contextMenu->removeAction(m_storeAction);
    m_contextMenu->removeAction(m_helpAction);
    m_contextMenu->removeAction(m_settingsAction);
    m_settingsAction->setEnabled(false);
    setSkinVisible("fullScreenButton", false);
    if (auto *keyboard = qobject_cast<ScrivelKeyboard *>(m_inputWidget.data()))
        keyboard->hideLayoutButtons();
}

void MainFrame::inputWidgetConfigStatusEvent(InputStatus status)
{
    if (status == 0) {
        if (!QApplication::overrideCursor())
            QApplication::setOverrideCursor(Qt::BusyCursor);
        if (m_languageButton)
            m_languageButton->setEnabled(false);
    } else if (status == 1) {
        QApplication::restoreOverrideCursor();
        if (m_languageButton)
            m_languageButton->setEnabled(true);
    } else {
        PanelServices::instance()->setExitError(4, QString());
        PanelServices::instance()->runExitSequence();
    }
}

void MainFrame::correctionRequestAtPosEvent(int pos)
{
    if (m_inputWidget) {
        m_inputWidget->deleteLater();
        m_inputWidget = nullptr;
    }
    bool leftToRight = writingDirection() == WritingDirection::LeftToRight;
    if (!leftToRight) {
        QString text;
        for (const Segment &word : m_undo.last().root().segmentsOfType(1))
            text += word.selectedCandidate().label();
        // A position past the text opens the pad of the writing direction.
        if (pos >= 0 && pos < text.size()) {
            const QChar c = text.at(pos);
            const ushort u = c.unicode();
            const bool arabic = (u >= 0x0600 && u <= 0x06FF) || (u >= 0x0750 && u <= 0x077F)
                                || (u >= 0xFB50 && u <= 0xFDFF) || (u >= 0xFE70 && u <= 0xFEFF);
            leftToRight = c.isDigit() || (c.isLetter() && !arabic);
        }
    }
    clickModeButton(leftToRight ? "isoLRModeButton" : "isoRLModeButton");
    if (m_inputWidget && hasMethod(m_inputWidget, "setOriginAt(int)"))
        QMetaObject::invokeMethod(m_inputWidget, "setOriginAt", Q_ARG(int, pos));
}

// Undo, redo and sending

void MainFrame::sendActionEvent()
{
    QObject *model = m_inputWidget ? m_inputWidget->modelObject() : nullptr;
    if (model && hasMethod(model, "sendActionEvent()"))
        QMetaObject::invokeMethod(model, "sendActionEvent");
    else
        sendInput(true);
}

void MainFrame::pushUndo(const RecognitionResult &result, bool clearRedo)
{
    if (clearRedo)
        m_redo.clear();
    m_undo.append(result);
    if (m_undo.size() > StackCapacity)
        m_undo.removeFirst();
}

void MainFrame::pushRedo(const RecognitionResult &result)
{
    m_redo.append(result);
    if (m_redo.size() > StackCapacity)
        m_redo.removeFirst();
}

void MainFrame::updateUndoButtons()
{
    const bool written = hasInk(m_undo.last());
    m_clearAction->setEnabled(written);
    emit enableUndoButtons(Undo, m_undo.size() > 1);
    emit enableUndoButtons(Redo, !m_redo.isEmpty());
    emit enableUndoButtons(Clear, written);
    manageSendButtonVisibility();
}

void MainFrame::publishCurrent()
{
    const RecognitionResult current = m_undo.last();
    if (m_integrator)
        m_integrator->update(current);
    emit exportModel(current);
    if (hasInk(current) || PanelServices::instance()->dockingMode() || !m_baseSize.isValid())
        return;
    const bool rightToLeft = writingDirection() == WritingDirection::RightToLeft;
    const QPoint anchor(x() + width() - m_baseSize.width(), y());
    resize(m_baseSize);
    if (rightToLeft) {
        repaint();
        move(anchor);
    }
}

void MainFrame::importModelEvent(const RecognitionResult &result)
{
    if (m_inputWidget && m_inputWidget->inputMode() == IsoTrainerMode)
        return;
    pushUndo(result, true);
    updateUndoButtons();
    if (m_integrator)
        m_integrator->update(result);
    if (!hasInk(result) && !PanelServices::instance()->dockingMode() && m_baseSize.isValid())
        resize(m_baseSize);
    m_lastExpandedSize = QSize(-1, -1);
    // The keyboard has no send button: each key reaches the target as it is typed.
    if (m_inputWidget && m_inputWidget->inputMode() == KeyboardMode)
        sendInput(true);
}

void MainFrame::undoEvent(UndoType type)
{
    switch (type) {
    case Undo:
        if (m_undo.size() > 1)
            pushRedo(m_undo.takeLast());
        break;
    case Redo:
        if (!m_redo.isEmpty())
            pushUndo(m_redo.takeLast(), false);
        break;
    case Clear:
        m_undo.clear();
        m_undo.append(RecognitionResult());
        break;
    }
    updateUndoButtons();
    publishCurrent();
}

void MainFrame::sendInput()
{
    sendInput(true);
}

void MainFrame::sendInput(bool sentToIntegrator)
{
    if (sentToIntegrator && m_integrator) {
        if (PanelServices::instance()->saveInk())
            dumpInk(m_undo.last());
        if (!m_integrator->sendInput())
            return;
    }
    resetText();
}

void MainFrame::resetText()
{
    m_undo.clear();
    m_undo.append(RecognitionResult());
    updateUndoButtons();
    publishCurrent();
    if (m_inputWidget && m_inputWidget->inputMode() == IsolatedMode
        && hasMethod(m_inputWidget, "setOriginAt(int)"))
        QMetaObject::invokeMethod(m_inputWidget, "setOriginAt", Q_ARG(int, 0));
}

bool MainFrame::dumpInk(const RecognitionResult &result)
{
    m_lastDumpPath.clear();
    m_lastDumpError.clear();
    auto *pad = qobject_cast<Writepad *>(m_inputWidget.data());
    if (!pad)
        return true;
    const InkDump dump(result, pad->currentConfig().resources);
    const QString folder = PanelServices::instance()->applicationFolder()
                           + QStringLiteral("/inkFiles");
    m_lastDumpPath = dump.write(folder, QDateTime::currentDateTime(), &m_lastDumpError);
    if (m_lastDumpPath.isEmpty())
        qWarning("Ink samples not saved: %s", qPrintable(m_lastDumpError));
    return !m_lastDumpPath.isEmpty();
}

InputWidget *MainFrame::createCalculatorWritepad(const BehaviourSettings &behaviour,
                                                const ItemStyle &style)
{
    auto *pad = new CalculatorWritepad(behaviour, style, m_keypadAction, this);
    // Solved results are sent with the separator the pad shows.
    if (auto *integrator = qobject_cast<IMFIntegrator *>(m_integrator))
        connect(pad, &CalculatorWritepad::decimalSeparatorChanged, integrator,
                &IMFIntegrator::setDecimalSeparator);
    return pad;
}

// The calculator button of the solving preference shows; with the calculator pad hosted,
// its action is the checked one.
void MainFrame::manageCalcButtonMode()
{
    const bool solveAuto = PanelServices::instance()->behaviour().solveAuto;
    setSkinVisible("calculatorCalcModeButton", solveAuto);
    setSkinVisible("calculatorFormulaModeButton", !solveAuto);
    if (!m_inputWidget || m_inputWidget->inputMode() != CalculatorMode || !m_modeGroup)
        return;
    const QString checked = QLatin1String(solveAuto ? "calculatorCalcModeButton"
                                                    : "calculatorFormulaModeButton");
    for (QAction *action : m_modeGroup->actions()) {
        if (action->data().toInt() == CalculatorMode)
            action->setChecked(action->objectName() == checked);
    }
}

void MainFrame::manageSendButtonVisibility()
{
    if (!m_inputWidget)
        return;
    bool visible = true;
    bool enabled = true;
    const int mode = m_inputWidget->inputMode();
    if (mode == KeyboardMode || mode == IsoTrainerMode)
        visible = false;
    else if (m_keypadAction->isChecked())
        visible = hasInk(m_undo.last());
    else
        enabled = hasInk(m_undo.last());
    if (m_sendButton) {
        m_sendButton->setVisible(visible);
        m_sendButton->setEnabled(enabled);
    }
    if (m_leftSend)
        m_leftSend->setVisible(visible);
    if (m_rightSend)
        m_rightSend->setVisible(visible);
    if (layout())
        layout()->activate();
}

void MainFrame::toggleMiniKeyboardActEvent(bool checked)
{
    PanelServices::instance()->setShowKeypad(checked);
    manageSendButtonVisibility();
}

// Preferences

PrefDialog *MainFrame::prefDialog() const
{
    return m_prefDialog;
}

bool MainFrame::openPreferences(int mask, int current)
{
    AppPreferences prefs = PanelServices::instance()->preferences();
    prefs.languageActions = m_languageGroup->actions();
    prefs.activeLanguage = m_languageGroup->checkedAction();
    delete m_prefDialog.data();
    m_prefDialog = new PrefDialog(prefs, mask, current, this);
    const bool accepted = m_prefDialog->exec() == QDialog::Accepted;
    if (accepted)
        applyPreferences();
    emit outOfPrefs();
    return accepted;
}

void MainFrame::applyPreferences()
{
    PanelServices *services = PanelServices::instance();
    services->saveSettings();
    updateLanguageMenu(collectLocalePrefs(m_languageGroup), false);
    updateRecoLocale();
    if (m_inputWidget) {
        m_inputWidget->setStyle(services->itemStyle());
        m_inputWidget->setBehaviour(services->behaviour());
    }
    m_keypadAction->setChecked(services->showKeypad());
    toggleMiniKeyboardActEvent(services->showKeypad());
    update();
}

void MainFrame::showAllPreferences()
{
    openPreferences(AllPrefTabs, skinButton("menuButton") ? DictionaryTab : InkPrefTab);
}

void MainFrame::showDictionaryPreferences()
{
    openPreferences(DictionaryTab | LanguagesTab, DictionaryTab);
}

void MainFrame::showDisplayPreferences()
{
    openPreferences(InkPrefTab | PanelAccessPrefTab, InkPrefTab);
}

void MainFrame::showLanguagesPreferences()
{
    openPreferences(DictionaryTab | LanguagesTab, LanguagesTab);
}

void MainFrame::showOnlyLanguagesPreferences()
{
    openPreferences(LanguagesTab, LanguagesTab);
}

// Training and closing

QMessageBox::StandardButton MainFrame::ask(const QString &text) const
{
    return Prompt::message(QMessageBox::Question, const_cast<MainFrame *>(this), appName(), text,
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
}

void MainFrame::lockMenusForTraining(bool locked)
{
    PanelServices::instance()->setInTraining(locked);
    m_languageGroup->setEnabled(!locked);
    for (QAction *action : {m_dictionaryAction, m_languagesAction, m_settingsAction,
                            m_keypadAction})
        action->setEnabled(!locked);
}

void MainFrame::changeTrainingMode()
{
    changeTrainingMode(nullptr);
}

void MainFrame::changeTrainingMode(QAction *languageAction)
{
    if (!languageAction)
        languageAction = m_languageGroup->checkedAction();
    if (isTraining()) {
        if (ask(tr("If you stop the training session now, you will lose everything you have "
                   "written for it. Do you really want to quit and lose all your training "
                   "text?"))
            == QMessageBox::Yes)
            cancelTrainingMode(QString());
        return;
    }
    if (!languageAction)
        return;
    // Training starts from applied preferences. Only a dialog still on screen is accepted: a
    // closed one holds an old copy that would overwrite newer preferences and words.
    if (m_prefDialog && m_prefDialog->isVisible())
        m_prefDialog->accept();
    const QString label = languageAction->data().toString();
    if (hasUnderscorePrefix(label)) {
        Prompt::message(QMessageBox::Information, this, appName(),
                        tr("You have already done a training session on this language. Please "
                           "go back and choose a different language option (choose one that is "
                           "not marked \"Customized\")."),
                        QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    const QString question =
        findCustomizedLanguage(m_languageGroup, label)
            ? tr("You have already done a training session for %1. If you continue, your last "
                 "training session will be deleted and replaced with this new one. Are you "
                 "sure you want to do another training session on this language?")
            : tr("Do you want to start training for the %1 language?");
    if (ask(question.arg(languageAction->text())) != QMessageBox::Yes)
        return;
    lockMenusForTraining(true);
    startTraining(languageAction);
}

void MainFrame::startTraining(QAction *languageAction)
{
    const QAction *checked = m_languageGroup->checkedAction();
    m_languageBeforeTraining = checked ? checked->text() : QString();
    if (m_languageGroup->actions().contains(languageAction))
        languageAction->setChecked(true);
    const QAction *mode = m_modeGroup->checkedAction();
    changeMainInputMode(m_trainingAction);
    m_trainingAction->setData(mode ? mode->data().toInt() : int(CursiveMode));
    m_trainingAction->setText(tr("Abort training"));
    m_trainingAction->setToolTip(m_trainingAction->text());
}

void MainFrame::cancelTrainingMode()
{
    cancelTrainingMode(QString());
}

void MainFrame::cancelTrainingMode(const QString &trainingName)
{
    lockMenusForTraining(false);
    for (QAction *action : m_languageGroup->actions()) {
        if (action->text() == m_languageBeforeTraining)
            action->setChecked(true);
    }
    changeMainInputMode(m_trainingAction);
    placeSkinElements(true, false);
    if (!trainingName.isEmpty()) {
        auto *action = new QAction(trainingName, m_languageGroup);
        action->setData(trainingName);
        action->setCheckable(true);
        action->setVisible(true);
        PanelServices::instance()->saveSettings();
        // Rebuilt from what was saved, the menu names the new language as the next start will.
        updateLanguageMenu(collectLocalePrefs(m_languageGroup), false);
    }
    m_trainingAction->setData(int(IsoTrainerMode));
    m_trainingAction->setText(tr("Start training"));
    m_trainingAction->setToolTip(m_trainingAction->text());
}

void MainFrame::closeEvent(QCloseEvent *event)
{
    if (isTraining()) {
        const QString question =
            tr("If you quit %1 now, you will lose all the writings you made for the training of "
               "the recognition engine. Do you really want to quit, and then loose your "
               "writings?")
                .arg(appName());
        if (ask(question) != QMessageBox::Yes) {
            event->ignore();
            return;
        }
        cancelTrainingMode(QString());
    }
    PanelServices::instance()->saveSettings();
    QWidget::closeEvent(event);
    PanelServices::instance()->runExitSequence();
}

// Geometry and painting

void MainFrame::fitToAvailableGeometry(bool docked, bool rescale)
{
    PanelServices *services = PanelServices::instance();
    const QRect screen = services->availableGeometry();
    const QRect desktop = services->desktopGeometry();
    const bool keyboard = m_inputWidget && m_inputWidget->inputMode() == KeyboardMode;
    const int maxWidth = int(desktop.width() * (keyboard ? 1.1 : 1.5));
    setMaximumWidth(QWIDGETSIZE_MAX);
    if (docked) {
        const int h = qBound(minimumHeight(), services->dockedHeight(), maximumHeight());
        resize(screen.width(), h);
        move(screen.left(), screen.bottom() - h + 1);
        services->setDockedHeight(h);
    } else {
        Q_UNUSED(rescale)
        const QSize size = services->windowedSize().expandedTo(minimumSize())
                               .boundedTo(maximumSize());
        move(services->windowedPosition());
        resize(size);
        services->setWindowedPosition(pos());
    }
    setMaximumWidth(maxWidth);
}

void MainFrame::ensureOnScreen()
{
    PanelServices *services = PanelServices::instance();
    const QRect area = services->availableGeometry();
    const QSize size = services->windowedSize().expandedTo(minimumSize()).boundedTo(maximumSize());
    const QRect windowed(services->windowedPosition(), size);
    QPoint place = windowed.topLeft();
    if (!windowed.intersects(area)) {
        // Centred in the work area itself, whatever its corner.
        place = QPoint(area.left() + (area.width() - size.width()) / 2,
                       area.top() + (area.height() - size.height()) / 2);
    }
    // Partly outside (a place kept from a larger screen), the panel is pulled in whole; larger
    // than the area, its top left corner stays on it.
    place.setX(qMax(area.left(), qMin(place.x(), area.right() + 1 - size.width())));
    place.setY(qMax(area.top(), qMin(place.y(), area.bottom() + 1 - size.height())));
    if (place == services->windowedPosition())
        return;
    move(place);
    services->setWindowedPosition(place);
}

void MainFrame::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        ensureOnScreen();
        // The login keyboard keeps the place the application gave it.
        if (!m_loginKeyboard)
            fitToAvailableGeometry(PanelServices::instance()->dockingMode(), false);
    }
    QWidget::setVisible(visible);
}

void MainFrame::screenChanged()
{
    fitToAvailableGeometry(PanelServices::instance()->dockingMode(), true);
    emit PadServices::instance()->newScreenChanged();
}

void MainFrame::moveEvent(QMoveEvent *event)
{
    PanelServices *services = PanelServices::instance();
    if (isVisible() && !services->dockingMode())
        services->setWindowedPosition(pos());
    else if (isVisible())
        services->setDockedHeight(services->availableGeometry().bottom() - y() + 1);
    QWidget::moveEvent(event);
}

void MainFrame::buildPanelOutline()
{
    QPainterPath outline;
    outline.addRect(QRectF(0, 0, width(), height()));
    const int mode = m_inputWidget ? m_inputWidget->inputMode() : UnknownMode;
    for (const SkinPath &skinPath : m_skin->paths()) {
        if (skinPath.name == QLatin1String("sendPath")
            && (mode == KeyboardMode || mode == IsoTrainerMode))
            continue;
        QPainterPath path = skinPath.path;
        const int w = skinPath.width == -1 ? width() : skinPath.width;
        const int h = skinPath.height == -1 ? height() : skinPath.height;
        if (skinPath.width == -1 || skinPath.height == -1) {
            path = QPainterPath();
            path.addRect(0, 0, w, h);
        }
        const QString anchor = skinPath.anchor.toLower();
        path.translate(anchor.contains(QLatin1String("right")) ? width() - w : 0,
                       anchor.contains(QLatin1String("bottom")) ? height() - h : 0);
        outline = outline.subtracted(path);
    }
    m_outline = outline;
}

void MainFrame::updateWindowMask()
{
    if (isCompositionActive()) {
        clearMask();
        return;
    }
    QImage image(size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    const bool rightToLeft = QGuiApplication::layoutDirection() == Qt::RightToLeft;
    for (const char *name : cornerPieces) {
        QWidget *corner = m_skin->widget(QLatin1String(name));
        if (!corner)
            continue;
        const QString lower = QString::fromLatin1(name).toLower();
        const bool right = lower.contains(QLatin1String(rightToLeft ? "left" : "right"));
        const bool bottom = lower.contains(QLatin1String("bottom"));
        const float coef = m_skin->maskCoef(QLatin1String(name));
        const float c = coef > 0 ? coef : 0.5f;
        // Cut and drawn over the corner's own size: its size hint can be wider than the
        // place the layout gives it, which would leave a hole beside the corner.
        const QRectF cut(right ? width() - c * corner->width() : 0,
                         bottom ? height() - c * corner->height() : 0, corner->width() * c,
                         corner->height() * c);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(cut, Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        corner->render(&painter,
                       QPoint(right ? width() - corner->width() : 0,
                              bottom ? height() - corner->height() : 0),
                       QRegion(), QWidget::DrawChildren);
    }
    painter.end();
    setMask(QBitmap::fromImage(image.createAlphaMask()));
}

void MainFrame::resizeEvent(QResizeEvent *event)
{
    // The corner pieces take their places first, so that the mask follows them.
    if (layout())
        layout()->setGeometry(rect());
    updateWindowMask();
    buildPanelOutline();
    PanelServices *services = PanelServices::instance();
    if (!services->dockingMode()) {
        services->setWindowedSize(size());
        if (!m_expanding)
            m_baseSize = size();
    }
    QWidget::resizeEvent(event);
    if (!m_expanding)
        emit resetGuideLinesX();
}

void MainFrame::expandScrivelEvent(float fx, float fy, Qt::Alignment align)
{
    expandScrivelEvent(fx, fy, align, false);
}

void MainFrame::expandScrivelEvent(float fx, float fy, Qt::Alignment align,
                                   bool forceExpandHeight)
{
    if (PanelServices::instance()->dockingMode() || size() == m_lastExpandedSize)
        return;
    m_expanding = true;
    const QRect screen = PanelServices::instance()->availableGeometry();
    const int w0 = width();
    const bool rightAligned = align & Qt::AlignRight;
    const bool touchesRight = geometry().right() >= screen.right();
    const bool touchesLeft = x() <= screen.left();
    const bool taller = forceExpandHeight || (touchesRight && !rightAligned)
                        || (touchesLeft && rightAligned);
    QSize grown = QSize(int(w0 * (fx + 1)), taller ? int(height() * (fy + 1)) : height())
                      .expandedTo(minimumSize());
    grown.setHeight(qMin(grown.height(), screen.bottom() - y() + 1));
    if (rightAligned) {
        int left = x() - int(w0 * fx);
        if (left <= screen.left()) {
            grown.setWidth(grown.width() - (screen.left() - left));
            left = screen.left();
        }
        if (auto *pad = qobject_cast<Writepad *>(m_inputWidget.data())) {
            const double scale = pad->view()->transform().m11();
            pad->scene()->updateInkMaxX((x() - left) / (scale > 0 ? scale : 1.0));
        }
        resize(grown);
        repaint();
        move(left, y());
        repaint();
    } else {
        grown.setWidth(qMin(grown.width(), screen.right() - x() + 1));
        resize(grown);
    }
    m_lastExpandedSize = size();
    m_expanding = false;
}

void MainFrame::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (!isCompositionActive())
        painter.fillRect(rect(), Qt::black);
    const ItemStyle style = PanelServices::instance()->itemStyle();
    QLinearGradient gradient(0, height(), 0, 0);
    gradient.setColorAt(0.0, style.color(ItemStyle::LeftColor));
    gradient.setColorAt(0.75, style.color(ItemStyle::RightColor));
    painter.fillPath(m_outline, gradient);
    painter.end();
    QWidget::paintEvent(event);
    emit paintDone();
}

void MainFrame::contextMenuEvent(QContextMenuEvent *event)
{
    m_contextMenu->popup(event->globalPos());
}

void MainFrame::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || PanelServices::instance()->dockingMode())
        return;
    m_drag = std::make_unique<Monitoring>(this, Monitoring::Move,
                                          event->globalPosition().toPoint(), nullptr,
                                          ResizeEdge::None);
    m_drag->setOrigin(pos());
}

void MainFrame::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_drag || !(event->buttons() & Qt::LeftButton))
        return;
    setCursor(Qt::ClosedHandCursor);
    m_drag->applyDrag(event->globalPosition().toPoint());
}

void MainFrame::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_drag)
        return;
    if (!PanelServices::instance()->dockingMode())
        m_drag->applyDrag(event->globalPosition().toPoint());
    unsetCursor();
    m_drag.reset();
}
