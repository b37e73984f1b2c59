#pragma once

#include "pad/writepad.h"
#include "skin/svguibutton.h"

#include <QButtonGroup>
#include <QPointer>

class IsoUpdater;

// The writing pad of boxed characters: one button per configuration and,
// where a configuration allows it, the moon button switching big and small
// boxes.
class IsoWritepad : public Writepad
{
    Q_OBJECT
public:
    static constexpr int BaseMinimumWidth = 450;

    IsoWritepad(const BehaviourSettings &behaviour, const ItemStyle &style,
                WritingDirection direction, QAction *miniKeyboardAction,
                QWidget *parent = nullptr);
    ~IsoWritepad() override;

    void createPadButtons(QLayout *bar, QWidget *panel) override;

    IsoUpdater *isoUpdater() const;
    QList<QPointer<SvgUIButton>> configButtons() const { return m_configButtons; }
    SvgUIButton *moonButton() const { return m_moonButton; }
    QAction *boxSizeAction() const { return m_boxSizeAction; }
    bool boxSizeSwitchable() const { return m_boxSizeSwitchable; }
    int boxSize() const { return m_boxSize; }
    QString configLabel() const { return m_configLabel; }

public slots:
    void setConfig() override;
    virtual void showBoxSize(bool canChange);
    // Scrolls the view so that box pos stands 100 scene units from its edge.
    void setOriginAt(int pos);

protected:
    void initializeSpecificConnections() override;
    void updateButtonsVisibility() override;

private:
    bool checkedCanChangeBoxSize() const;
    void deletePadButtons();

    QButtonGroup m_configGroup;
    // The buttons live in the panel's row, which may go first.
    QList<QPointer<SvgUIButton>> m_configButtons;
    QAction *m_boxSizeAction = nullptr;
    QPointer<SvgUIButton> m_moonButton;
    bool m_boxSizeSwitchable = false;
    int m_boxSize = 1;
    QString m_configLabel;
};
