#pragma once

#include <QBasicTimer>
#include <QMenu>

// The program's pop-up menu: keeps the panel from hiding while open, and ignores mouse presses
// for 500 ms after each showing, so that the press that opened it cannot pick an entry.
class ScrivelMenu : public QMenu
{
    Q_OBJECT

public:
    explicit ScrivelMenu(QWidget *parent = nullptr);
    ScrivelMenu(const QString &title, QWidget *parent = nullptr);
    ~ScrivelMenu() override;

    bool isGuarded() const { return m_guard.isActive(); }

signals:
    void menuShown(QWidget *menu);
    void menuHidden(QWidget *menu);

protected:
    void timerEvent(QTimerEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QBasicTimer m_guard;
};
