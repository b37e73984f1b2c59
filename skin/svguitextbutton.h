#pragma once

#include "skin/svguibutton.h"

#include <QColor>
#include <QFont>
#include <QPoint>

class QAction;

// A skinned button that shows a text on a background of the skin file "buttons": in the
// simple look the background's width class follows the text's width, the combo look opens a
// menu of actions and shows the chosen one.
class SvgUITextButton : public SvgUIButton
{
    Q_OBJECT
public:
    // A grey button paints its text grey while enabled.
    explicit SvgUITextButton(QWidget *parent = nullptr, bool grey = false);

    // Only the simple (Plain) and the Combo look are accepted.
    bool setButtonMode(Mode mode) override;
    // Where the text's baseline starts; 0 lets updateSkinElement compute the coordinate.
    void setTextOffset(int x, int y);
    QPoint textOffset() const { return m_textOffset; }
    QColor textColor() const { return m_textColor; }
    int fontPointSize() const { return m_pointSize; }
    // The font the text is measured and painted in.
    QFont textFont() const;

    // Shows text: picks the background element by the text's width, fixes the button's
    // width to the text's width plus 20 and computes the text offsets left at 0.
    void updateSkinElement(const QString &text);

public slots:
    // Shows the chosen action's text.
    void triggered(QAction *action);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint m_textOffset{0, 0};
    QColor m_textColor;
    int m_pointSize = 13;
    bool m_grey;
};
