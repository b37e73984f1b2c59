#pragma once

#include <QBasicTimer>
#include <QColor>
#include <QPointer>
#include <QPushButton>

class QAction;

// One key of the on-screen keyboard: a shaded key face with its caption,
// lighter under the mouse and flashing for 200 ms after a release. The
// captions of the arrow, shift, tab, enter, copy and paste keys are drawn as
// symbols.
class ScrivelKeyboardButton final : public QPushButton
{
    Q_OBJECT
public:
    // The key colour is the face; the second colour the face of a pressed,
    // checked or flashing key.
    ScrivelKeyboardButton(const QColor &keyColor, const QColor &secondColor,
                          QWidget *parent = nullptr);
    ~ScrivelKeyboardButton() override;

    QColor keyColor() const { return m_keyColor; }
    QColor secondColor() const { return m_secondColor; }
    bool isFlashing() const { return m_flash; }
    bool isHovered() const { return m_hover; }
    // The colour the face is drawn from in the present state.
    QColor faceColor() const;

public slots:
    // Mirrors the action: tooltip, enabled and checked state; a click
    // triggers it. The action is not owned.
    void setDefaultAction(QAction *action);
    void actionChangedEvent();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QPointer<QAction> m_defaultAction;
    QBasicTimer m_flashTimer;
    bool m_flash = false;
    bool m_hover = false;
    QColor m_keyColor;
    QColor m_secondColor;
};
