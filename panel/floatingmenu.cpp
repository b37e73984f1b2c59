#include "panel/floatingmenu.h"

#include "panel/mainframe.h"
#include "panel/panelservices.h"
#include "skin/monitoring.h"
#include "skin/svguibutton.h"
#include "skin/svguitextbutton.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>

namespace {

const QString skinFile = QStringLiteral("skin");

// "fr_FR" shows as "Fr".
QString languageCode(const QString &language)
{
    const QString code = language.left(2);
    return code.left(1).toUpper() + code.mid(1);
}

} // namespace

FloatingMenu::FloatingMenu(MainFrame *panel, QAction *magicAction, QAction *clearAction)
    : m_magicAction(magicAction)
    , m_clearAction(clearAction)
{
    setLayoutDirection(Qt::LeftToRight);
    m_sendButton = makeButton("mini_send");
    m_sendButton->setDefaultAction(panel->sendAction());
    m_writeButton = makeButton("mini_write");
    m_writeButton->setToolTip(tr("Pen mode"));
    m_selectButton = makeButton("mini_select");
    m_selectButton->setToolTip(tr("Pointer mode"));
    m_clearButton = makeButton("clear");
    m_clearButton->setDefaultAction(clearAction);
    m_clearButton->setEnabled(false);
    m_magicButton = makeButton("magic");
    m_magicButton->setDefaultAction(magicAction);

    m_languageButton = new SvgUITextButton(this);
    m_languageButton->setToolTip(tr("Language"));
    m_languageButton->setMenu(panel->languageMenu());
    languageChanged(languageCode(panel->currentWritingLanguage()));

    m_fullScreenButton = makeButton("mini_fullscreen");
    m_fullScreenButton->setToolTip(tr("Quit full screen mode"));
    connect(m_fullScreenButton, &QAbstractButton::clicked, this, [this] {
        if (m_magicAction && m_magicAction->isChecked())
            m_magicAction->setChecked(false);
    });
    m_closeButton = makeButton("mini_close");
    m_closeButton->setMaskSource(skinFile, QStringLiteral("mini_close_mask"));
    m_closeButton->setToolTip(tr("Hide"));

    // While there is something to send, send replaces write and pointer mode is locked.
    connect(m_sendButton, &SvgUIButton::enabled, m_sendButton, &QWidget::setVisible);
    connect(m_sendButton, &SvgUIButton::disabled, m_writeButton, &QWidget::setVisible);
    connect(m_sendButton, &SvgUIButton::enabled, m_selectButton, &QWidget::setDisabled);
    m_sendButton->setEnabled(false);
    setVisible(false);
}

FloatingMenu::~FloatingMenu() = default;

SvgUIButton *FloatingMenu::makeButton(const char *element)
{
    auto *button = new SvgUIButton(this);
    button->resolveStateElement(skinFile, QString::fromLatin1(element), QString());
    button->setButtonMode(SvgUIButton::HandOver);
    return button;
}

void FloatingMenu::setVisible(bool visible)
{
    updateSize();
    QWidget::setVisible(visible);
}

void FloatingMenu::resetFloatingMenuPos()
{
    PanelServices::instance()->setFloatingMenuPosition(QPoint(0, 0));
}

void FloatingMenu::enableButtons(UndoType, bool enabled)
{
    m_magicButton->setEnabled(enabled);
    m_clearButton->setEnabled(enabled);
    m_sendButton->setEnabled(enabled);
}

void FloatingMenu::languageChanged(const QString &code)
{
    m_languageButton->updateSkinElement(code);
}

void FloatingMenu::updateSize()
{
    if (!m_keyboardArea || !m_writeButtonArea)
        return;
    const bool pointer = m_selectButton->isChecked();
    m_writeButtonArea->setVisible(!pointer);
    m_keyboardArea->setVisible(pointer);
    const int strip = pointer ? m_keyboardArea->height() : m_clearButton->height();
    setFixedHeight(m_topMargin + strip + m_bottomMargin);
    // The keyboard strip is wider than the button row: the width follows the shown strip.
    if (QLayout *bar = layout()) {
        bar->invalidate();
        resize(bar->sizeHint().width(), height());
    }
}

void FloatingMenu::manageWriteButton()
{
    if (m_selectButton->isChecked())
        m_writeButton->setChecked(true);
}

void FloatingMenu::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_drag = std::make_unique<Monitoring>(this, Monitoring::Move,
                                              event->globalPosition().toPoint(), nullptr,
                                              ResizeEdge(0));
        m_drag->setOrigin(pos());
    }
    QWidget::mousePressEvent(event);
}

void FloatingMenu::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag && (event->buttons() & Qt::LeftButton)) {
        setCursor(Qt::ClosedHandCursor);
        m_drag->applyDrag(event->globalPosition().toPoint());
    }
    PanelServices::instance()->setFloatingMenuPosition(pos());
}

void FloatingMenu::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_drag && event->button() == Qt::LeftButton) {
        m_drag->applyDrag(event->globalPosition().toPoint());
        unsetCursor();
        m_drag.reset();
    }
}

void FloatingMenu::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_contextMenu)
        m_contextMenu->popup(event->globalPos());
}
