#include "pad/inputwidget.h"

InputWidget::InputWidget(InputMode mode, const BehaviourSettings &behaviour, const ItemStyle &style,
                         QWidget *parent)
    : QWidget(parent), m_mode(mode), m_behaviour(behaviour), m_style(style)
{
    qRegisterMetaType<InputStatus>("InputStatus");
    QPalette background = palette();
    background.setBrush(QPalette::All, QPalette::Window,
                        QBrush(m_style.color(ItemStyle::RightColor)));
    setPalette(background);
    setLayoutDirection(Qt::LeftToRight);
}

void InputWidget::initialize() {}

void InputWidget::setLanguage(const LanguageEntry &language)
{
    m_language = language;
}

void InputWidget::createPadButtons(QLayout *, QWidget *) {}

void InputWidget::loadSettings(QSettings &) {}

void InputWidget::saveSettings(QSettings &) {}

void InputWidget::setStyle(const ItemStyle &style)
{
    m_style = style;
}

void InputWidget::setBehaviour(const BehaviourSettings &behaviour)
{
    m_behaviour = behaviour;
}

QSize InputWidget::sizeHint() const
{
    return layout() ? QWidget::sizeHint() : QSize(550, 150);
}

void InputWidget::contextMenuEvent(QContextMenuEvent *) {}

void InputWidget::importModelEvent(const RecognitionResult &) {}

void InputWidget::screenChanged() {}
