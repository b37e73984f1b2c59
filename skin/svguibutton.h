#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QColor>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <QSharedPointer>
#include <QString>

#include <array>

class SvgUIRenderer;

// The skinned button: draws the element of its state (normal, hovered, down or checked,
// disabled) from a skin SVG file, may shape its window with a mask, open a drop-down menu or
// hand a press that leaves it over to its parent, so that the parent can be dragged.
class SvgUIButton : public QAbstractButton
{
    Q_OBJECT
public:
    enum Mode {
        Plain = 0,
        // A press dragged off the button goes on to the parent, and clicks nothing.
        HandOver = 1,
        // A left press pops the drop-down menu up.
        DropDown = 2,
        // The combo look of a text button; a left press pops its menu up too.
        Combo = 3
    };
    Q_ENUM(Mode)

    explicit SvgUIButton(QWidget *parent = nullptr);
    ~SvgUIButton() override;

    QString file() const { return m_file; }
    QString element() const { return m_element; }
    QString clip() const { return m_clip; }
    QString maskFile() const { return m_maskFile; }
    QString maskElement() const { return m_maskElement; }
    Mode buttonMode() const { return m_mode; }
    QMenu *menu() const { return m_menu; }
    QAction *defaultAction() const { return m_defaultAction; }
    // The element stored for a state, without fallback.
    QString stateElement(QIcon::Mode mode, QIcon::State state) const;
    // The element drawn for a state: the stored one or the first given in its fallback order.
    QString effectiveStateElement(QIcon::Mode mode, QIcon::State state) const;

    QSize sizeHint() const override;

    virtual void setStateElement(const QString &element, QIcon::Mode mode, QIcon::State state);
    // Fills the state elements from the skin file ":/data/images/<file>.svg": the element and
    // its suffixed variants, or without an element the files named <file>*.svg.
    virtual void resolveStateElement(const QString &file, const QString &element,
                                     const QString &clip);
    // On: the mask is taken from the drawn file and follows the drawn element; off: no mask.
    virtual void setMaskEnabled(bool on);
    // The mask is element of ":/data/images/<file>.svg"; "auto" names the drawn element and
    // lets a whole-file state also become the mask file.
    virtual void setMaskSource(const QString &file, const QString &element);
    virtual void setScaleFactors(float sx, float sy);
    // Combo is refused, and DropDown without a menu; false keeps the mode.
    virtual bool setButtonMode(Mode mode);
    // Text, tool tip and enabled state from the action, which the button keeps following; a
    // click triggers it. A checkable action makes the button checkable and keeps both checked
    // states equal.
    virtual void setDefaultAction(QAction *action);
    // Sets the drop-down menu; the mode becomes DropDown unless it is Combo.
    virtual void setMenu(QMenu *menu);
    virtual void setOverlay(int x, int y, int width, int height, const QColor &color);
    virtual void setContextMenu(QMenu *menu);
    // A window button keeps its mask inside the screen when it moves (on at construction).
    virtual void setMaskKeptOnScreen(bool on);
    // Pen presses and releases act as mouse presses and releases (on at construction).
    virtual void setPenAsMouse(bool on);
    // Picks the element (or, without elements, the file) of the current state; a mask that
    // follows the drawn element follows it.
    virtual void updateStateElement();
    // For a button shown as a window of its own: the window mask becomes mask and the button
    // keeps one rendering of itself as its background.
    void updateFloatingMask(const QBitmap &mask);

public slots:
    // Enables or disables the button, then emits enabled(on) and disabled(!on).
    void setEnabled(bool on);
    void actionChangedEvent();

signals:
    void sigEnter();
    void sigLeave();
    void paintDone();
    void enabled(bool on);
    void disabled(bool off);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

    SvgUIRenderer *renderer() const { return m_renderer.data(); }
    // Stores any mode, for looks that add their own (the text button's Combo).
    void storeButtonMode(Mode mode) { m_mode = mode; }

private:
    void resolveStateFiles(const QString &file);
    void popUpMenu();
    void keepMaskOnScreen();

    QSharedPointer<SvgUIRenderer> m_renderer;
    QString m_file;
    QString m_maskFile;
    QString m_element;
    QString m_clip;
    QString m_maskElement;
    std::array<QString, 6> m_stateElements;
    // Without an element, the file of each state.
    bool m_fileMode = false;
    Mode m_mode = Plain;
    QPointer<QMenu> m_menu;
    QPointer<QMenu> m_contextMenu;
    QPointer<QAction> m_defaultAction;
    bool m_hovered = false;
    bool m_handedOver = false;
    bool m_autoMask = false;
    bool m_maskKeptOnScreen = true;
    bool m_penAsMouse = true;
    float m_scaleX = 1.0f;
    float m_scaleY = 1.0f;
    QRect m_overlayRect{0, 0, 0, 0};
    QColor m_overlayColor;
    QPoint m_pressPos;
    QRegion m_maskRegion;
    QPixmap m_floatingPixmap;
};
