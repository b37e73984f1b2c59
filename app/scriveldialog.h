#pragma once

#include <QDialog>

// Base of the program's dialogs: stays on top, centres itself on the panel and announces
// showing and hiding to the application.
class ScrivelDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ScrivelDialog(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~ScrivelDialog() override;

signals:
    void dialogEvent(bool shown);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
};
