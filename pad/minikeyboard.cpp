#include "pad/minikeyboard.h"

#include "model/resultbuilding.h"
#include "model/specialkeys.h"
#include "pad/minikeyboardbutton.h"
#include "pad/padservices.h"
#include "resources/resourcepaths.h"
#include "windows/winutils.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGridLayout>
#include <QPainter>

namespace {

constexpr int AutoRepeatDelay = 700;
constexpr int CompactHeight = 27;

struct Key
{
    const char *label;
    bool translated;
    char32_t code;
};

const Key Keys[MiniKeyboard::KeyCount] = {
    {"Left", false, char32_t(SpecialKey::Left)},
    {"Right", false, char32_t(SpecialKey::Right)},
    {"Enter", false, char32_t(SpecialKey::Return)},
    {QT_TRANSLATE_NOOP("MiniKeyboard", "Tab"), true, char32_t(SpecialKey::Tab)},
    {QT_TRANSLATE_NOOP("MiniKeyboard", "Space"), true, U' '},
    {QT_TRANSLATE_NOOP("MiniKeyboard", "Del"), true, char32_t(SpecialKey::Delete)},
    {QT_TRANSLATE_NOOP("MiniKeyboard", "BkSp"), true, char32_t(SpecialKey::Backspace)},
    {"CopyIcon", false, char32_t(SpecialKey::Copy)},
    {"PasteIcon", false, char32_t(SpecialKey::Paste)},
};

// A grid place: row, column, column span.
struct Cell
{
    int row, column, span;
};

// Compact key widths and second-row places by interface language.
struct CompactLayout
{
    int tabWidth, spaceWidth, backspaceWidth;
    Cell tab, space, del, backspace;
};

const CompactLayout Spanish{75, 76, 50, {1, 0, 3}, {1, 3, 3}, {1, 6, 2}, {1, 8, 2}};
const CompactLayout Italian{75, 51, 75, {1, 0, 3}, {1, 3, 2}, {1, 5, 2}, {1, 7, 3}};
const CompactLayout Other{50, 76, 75, {1, 0, 2}, {1, 2, 3}, {1, 5, 2}, {1, 7, 3}};

const CompactLayout &compactLayout()
{
    const QLocale::Language language = uiLocale().language();
    if (language == QLocale::Spanish)
        return Spanish;
    if (language == QLocale::Italian)
        return Italian;
    return Other;
}

QString keyLabel(int id)
{
    const Key &key = Keys[id];
    return key.translated ? QCoreApplication::translate("MiniKeyboard", key.label)
                          : QString::fromLatin1(key.label);
}

} // namespace

MiniKeyboard::MiniKeyboard(const BehaviourSettings &behaviour, const ItemStyle &style,
                           bool compact, QWidget *parent)
    : InputWidget(UnknownMode, behaviour, style, parent), m_group(new QButtonGroup(this)),
      m_copyIcon(resourcepaths::images() + QStringLiteral("copy.png")),
      m_pasteIcon(resourcepaths::images() + QStringLiteral("paste.png")), m_compact(compact)
{
    createButtons();
    connect(m_group, &QButtonGroup::idClicked, this, &MiniKeyboard::sendKey);
    layOut();
}

QString MiniKeyboard::keyText(int id)
{
    if (id < 0 || id >= KeyCount)
        return QString();
    return QString::fromUcs4(&Keys[id].code, 1);
}

int MiniKeyboard::fontPixelSize(int height)
{
    if (height < 180)
        return 14;
    if (height < 225)
        return height / 15 + 2;
    return 17;
}

void MiniKeyboard::importModelEvent(const RecognitionResult &) {}

void MiniKeyboard::sendKey(int idx)
{
    RecognitionResult result = resultFromText(keyText(idx), 0);
    result.layout().flags |= ResultLayout::MiniKeyboardKey;
    emit exportModel(result);
}

// Acts on the copy and paste keys.
void MiniKeyboard::enableCopyPasteEvent(bool enable)
{
    m_buttons.at(Copy)->setEnabled(enable);
    m_buttons.at(Paste)->setEnabled(enable);
}

void MiniKeyboard::setSeparatorAlign(Qt::Alignment align)
{
    m_separatorAlign = align;
    update();
}

void MiniKeyboard::enableMiniKeyboardButtonsEvent(bool enable)
{
    if (!enable && isHidden())
        return;
    for (MiniKeyboardButton *button : m_buttons)
        button->setEnabled(enable);
}

void MiniKeyboard::createButtons()
{
    const ItemStyle s = itemStyle();
    for (int id = 0; id < KeyCount; ++id) {
        auto *button = new MiniKeyboardButton(s.color(ItemStyle::SpecialKeyColor),
                                              s.color(ItemStyle::SecondKeyColor),
                                              s.color(ItemStyle::KeyColor), m_compact, this);
        m_group->addButton(button, id);
        button->setText(keyLabel(id));
        button->setAutoRepeat(true);
        button->setAutoRepeatDelay(AutoRepeatDelay);
        sizeButton(button, id);
        m_buttons.append(button);
    }
    m_buttons.at(Copy)->setToolTip(tr("Copy"));
    m_buttons.at(Copy)->setIcon(m_copyIcon);
    m_buttons.at(Copy)->setIconSize(m_copyIcon.size());
    m_buttons.at(Paste)->setToolTip(tr("Paste"));
    m_buttons.at(Paste)->setIcon(m_pasteIcon);
    m_buttons.at(Paste)->setIconSize(m_pasteIcon.size());
}

void MiniKeyboard::sizeButton(MiniKeyboardButton *button, int id) const
{
    if (!m_compact) {
        if (id >= Enter)
            button->setFixedWidth(80);
        button->setMaximumHeight(50);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::MinimumExpanding);
        return;
    }
    const CompactLayout &l = compactLayout();
    int width = 50;
    if (id == Tab)
        width = l.tabWidth;
    else if (id == Space)
        width = l.spaceWidth;
    else if (id == Backspace)
        width = l.backspaceWidth;
    button->setFixedSize(width, CompactHeight);
}

void MiniKeyboard::layOut()
{
    auto *arrows = new QWidget(this);
    auto *arrowRow = new QHBoxLayout(arrows);
    arrowRow->setSpacing(1);
    arrowRow->setContentsMargins(0, 0, 0, 0);
    for (int id : {Left, Right}) {
        if (!m_compact)
            m_buttons.at(id)->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        arrowRow->addWidget(m_buttons.at(id));
    }
    if (!m_compact)
        arrows->setFixedWidth(80);

    auto *grid = new QGridLayout;
    grid->setSpacing(1);
    if (m_compact) {
        grid->setContentsMargins(1, 1, 1, 1);
        const CompactLayout &l = compactLayout();
        grid->addWidget(arrows, 0, 0, 1, 4);
        grid->addWidget(m_buttons.at(Enter), 0, 4, 1, 2);
        grid->addWidget(m_buttons.at(Copy), 0, 6, 1, 2);
        grid->addWidget(m_buttons.at(Paste), 0, 8, 1, 2);
        const std::pair<int, Cell> second[] = {
            {Tab, l.tab}, {Space, l.space}, {Delete, l.del}, {Backspace, l.backspace}};
        for (const auto &[id, cell] : second)
            grid->addWidget(m_buttons.at(id), cell.row, cell.column, 1, cell.span);
    } else {
        grid->setContentsMargins(10, 15, 15, 6);
        grid->setAlignment(Qt::AlignCenter);
        grid->addWidget(arrows, 0, 0);
        grid->addWidget(m_buttons.at(Enter), 0, 1);
        grid->addWidget(m_buttons.at(Tab), 1, 0);
        grid->addWidget(m_buttons.at(Space), 1, 1);
        grid->addWidget(m_buttons.at(Delete), 2, 0);
        grid->addWidget(m_buttons.at(Backspace), 2, 1);
        grid->addWidget(m_buttons.at(Copy), 3, 0);
        grid->addWidget(m_buttons.at(Paste), 3, 1);
    }
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(grid);
}

void MiniKeyboard::resizeEvent(QResizeEvent *event)
{
    QFont keyFont = font();
    keyFont.setPixelSize(fontPixelSize(height()));
    for (MiniKeyboardButton *button : m_buttons)
        button->setFont(keyFont);
    InputWidget::resizeEvent(event);
}

void MiniKeyboard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_compact) {
        QRect keys;
        for (const MiniKeyboardButton *button : m_buttons)
            keys |= QRect(button->mapTo(this, QPoint(0, 0)), button->size());
        painter.fillRect(keys.adjusted(0, 0, 1, 1), itemStyle().color(ItemStyle::KeyboardColor));
        return;
    }
    paintPanel(painter);
    paintSeparator(painter);
}

void MiniKeyboard::paintPanel(QPainter &painter) const
{
    const ItemStyle s = itemStyle();
    QColor left = s.color(ItemStyle::LeftColor);
    QColor right = s.color(ItemStyle::RightColor);
    if (PadServices::instance()->currentInputMode() == CalculatorMode) {
        left.setAlphaF(left.alphaF() / 2);
        right.setAlphaF(right.alphaF() / 2);
    }
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0.1, right);
    for (qreal at : {0.4, 0.6, 0.9})
        gradient.setColorAt(at, left);
    painter.fillRect(rect(), gradient);
}

// A shadow along the edge beside the pad: a dark strip and a fainter one.
void MiniKeyboard::paintSeparator(QPainter &painter) const
{
    painter.save();
    if (m_separatorAlign & Qt::AlignRight) {
        painter.translate(width(), height());
        painter.rotate(180);
    }
    QLinearGradient dark(0, 0, 0, height());
    dark.setColorAt(0.05, Qt::transparent);
    dark.setColorAt(0.3, QColor(35, 35, 35, 50));
    dark.setColorAt(0.7, QColor(35, 35, 35, 50));
    dark.setColorAt(1.0, Qt::transparent);
    painter.fillRect(QRectF(0, 0, 2, height()), dark);
    QLinearGradient faint(0, 0, 0, height());
    faint.setColorAt(0.05, Qt::transparent);
    faint.setColorAt(0.4, QColor(35, 35, 35, 10));
    faint.setColorAt(0.6, QColor(35, 35, 35, 10));
    faint.setColorAt(0.95, Qt::transparent);
    painter.fillRect(QRectF(2, 0, 2, height()), faint);
    painter.restore();
}
