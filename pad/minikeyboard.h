#pragma once

#include "pad/inputwidget.h"

#include <QPixmap>

class QButtonGroup;
class MiniKeyboardButton;

// The small key pad of a writing pad (and of the floating menu): nine keys that leave as
// one-character results of special key characters, or a space, marked as keys.
class MiniKeyboard final : public InputWidget
{
    Q_OBJECT
public:
    enum KeyId { Left, Right, Enter, Tab, Space, Delete, Backspace, Copy, Paste, KeyCount };

    // compact: two rows of keys 27 pixels high, their widths by the interface language.
    MiniKeyboard(const BehaviourSettings &behaviour, const ItemStyle &style, bool compact,
                 QWidget *parent = nullptr);

    QObject *modelObject() override { return this; }
    QList<MiniKeyboardButton *> buttons() const { return m_buttons; }
    bool isCompact() const { return m_compact; }
    Qt::Alignment separatorAlignment() const { return m_separatorAlign; }

    // The text a key sends.
    static QString keyText(int id);
    // The keys' font pixel size at a keyboard height.
    static int fontPixelSize(int height);

signals:
    void timeout();

public slots:
    void importModelEvent(const RecognitionResult &model) override;
    // Emits exportModel with the key's text, flagged as a mini-keyboard key.
    void sendKey(int idx);
    void enableCopyPasteEvent(bool enable);
    void setSeparatorAlign(Qt::Alignment align);
    // A hidden keyboard keeps its buttons enabled when asked to disable them.
    void enableMiniKeyboardButtonsEvent(bool enable);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createButtons();
    void sizeButton(MiniKeyboardButton *button, int id) const;
    void layOut();
    void paintPanel(QPainter &painter) const;
    void paintSeparator(QPainter &painter) const;

    QList<MiniKeyboardButton *> m_buttons;
    QButtonGroup *m_group;
    QPixmap m_copyIcon;
    QPixmap m_pasteIcon;
    bool m_compact;
    Qt::Alignment m_separatorAlign = Qt::AlignLeft;
};
