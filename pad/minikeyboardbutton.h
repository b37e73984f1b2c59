#pragma once

#include <QBasicTimer>
#include <QColor>
#include <QPushButton>

// A key of the pad's mini keyboard: a push button that paints itself, lights up under the
// pointer and flashes for 200 ms after a release. The labels "Left", "Right", "Enter",
// "CopyIcon" and "PasteIcon" are drawn as shapes or icons instead of text.
class MiniKeyboardButton final : public QPushButton
{
    Q_OBJECT
public:
    // face: the face colour; pressed: while down, toggled or flashing; disabled: when off.
    MiniKeyboardButton(const QColor &face, const QColor &pressed, const QColor &disabled,
                       bool compact, QWidget *parent = nullptr);
    ~MiniKeyboardButton() override;

    bool isHovered() const { return m_hover; }
    bool isFlashing() const { return m_flash; }
    // The colour the face is painted in now.
    QColor faceColor() const;

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void paintFace(QPainter &painter, const QColor &face) const;
    void paintLabel(QPainter &painter, const QColor &face) const;
    void paintShape(QPainter &painter, const QPolygonF &shape, qreal angle) const;

    QBasicTimer m_flashTimer;
    bool m_flash = false;
    bool m_hover = false;
    QColor m_face;
    QColor m_pressed;
    QColor m_disabled;
    bool m_compact;
};
