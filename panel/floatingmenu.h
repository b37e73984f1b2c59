#pragma once

#include "pad/undotype.h"

#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <memory>

class MainFrame;
class Monitoring;
class QAction;
class SvgUIButton;
class SvgUITextButton;

// The small tool bar of full-screen writing: send, edition wizard, clear, the writing
// language, leaving full screen, pen or pointer mode and hiding. It is dragged with the mouse;
// the application lays its buttons out from the skin and fills in its areas.
class FloatingMenu : public QWidget
{
    Q_OBJECT

public:
    FloatingMenu(MainFrame *panel, QAction *magicAction, QAction *clearAction);
    ~FloatingMenu() override;

    SvgUIButton *sendButton() const { return m_sendButton; }
    SvgUIButton *writeButton() const { return m_writeButton; }
    SvgUIButton *selectButton() const { return m_selectButton; }
    SvgUIButton *clearButton() const { return m_clearButton; }
    SvgUIButton *magicButton() const { return m_magicButton; }
    SvgUITextButton *languageButton() const { return m_languageButton; }
    SvgUIButton *fullScreenButton() const { return m_fullScreenButton; }
    SvgUIButton *closeButton() const { return m_closeButton; }

    void setContextMenu(QMenu *menu) { m_contextMenu = menu; }
    // The strips lie between the button row (top margin) and the bar's lower edge (bottom
    // margin).
    int topMargin() const { return m_topMargin; }
    void setTopMargin(int margin) { m_topMargin = margin; }
    int bottomMargin() const { return m_bottomMargin; }
    void setBottomMargin(int margin) { m_bottomMargin = margin; }
    QWidget *keyboardArea() const { return m_keyboardArea; }
    void setKeyboardArea(QWidget *area) { m_keyboardArea = area; }
    QWidget *writeButtonArea() const { return m_writeButtonArea; }
    void setWriteButtonArea(QWidget *area) { m_writeButtonArea = area; }

public slots:
    void setVisible(bool visible) override;
    void resetFloatingMenuPos();
    void enableButtons(UndoType type, bool enabled);
    void languageChanged(const QString &code);
    // The button row over one strip: the keyboard area in pointer mode, in pen mode the
    // write-button area as high as a button of the row.
    void updateSize();
    // Back to pen mode.
    void manageWriteButton();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    SvgUIButton *makeButton(const char *element);

    std::unique_ptr<Monitoring> m_drag;
    QPointer<QMenu> m_contextMenu;
    SvgUIButton *m_sendButton = nullptr;
    SvgUIButton *m_writeButton = nullptr;
    SvgUIButton *m_selectButton = nullptr;
    SvgUIButton *m_clearButton = nullptr;
    SvgUIButton *m_magicButton = nullptr;
    SvgUITextButton *m_languageButton = nullptr;
    SvgUIButton *m_fullScreenButton = nullptr;
    SvgUIButton *m_closeButton = nullptr;
    QAction *m_magicAction = nullptr;
    QAction *m_clearAction = nullptr;
    int m_topMargin = 0;
    int m_bottomMargin = 0;
    QPointer<QWidget> m_keyboardArea;
    QPointer<QWidget> m_writeButtonArea;
};
