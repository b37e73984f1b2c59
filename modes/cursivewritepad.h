#pragma once

#include "pad/writepad.h"
#include "skin/svguibutton.h"

#include <QPointer>

class CursiveUpdater;

// The writing pad of free cursive writing, with its clear and magic buttons.
class CursiveWritepad : public Writepad
{
    Q_OBJECT
public:
    // The magic action is checkable; both actions belong to the panel.
    CursiveWritepad(const BehaviourSettings &behaviour, const ItemStyle &style,
                    WritingDirection direction, QAction *miniKeyboardAction,
                    QAction *magicAction, QAction *clearAction, QWidget *parent = nullptr);
    ~CursiveWritepad() override;

    void createPadButtons(QLayout *bar, QWidget *panel) override;

    CursiveUpdater *cursiveUpdater() const;
    SvgUIButton *clearButton() const { return m_clearButton; }
    SvgUIButton *magicButton() const { return m_magicButton; }

public slots:
    void magicButtonEvent(bool on);
    void enableMagicActionEvent(bool on);
    void enableUndoButtonsEvent(UndoType type, bool enabled);
    void clearButtonEvent();
    void animationDoneEvent();

protected:
    void initializeSpecificConnections() override;

private:
    void deletePadButtons();

    // The buttons live in the panel's row, which may delete them first.
    QPointer<SvgUIButton> m_clearButton;
    QPointer<SvgUIButton> m_magicButton;
    QAction *m_magicAction;
    QAction *m_clearAction;
};
