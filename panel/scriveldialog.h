#pragma once

#include <QDialog>

// Base of the program's dialogs: stays on top, is placed over the panel and announces
// showing and hiding to the application, both through the panel services.
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

private:
    void place();
};
