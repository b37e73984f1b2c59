#include "app/scriveldialog.h"

#include "app/placement.h"
#include "app/scrivelapp.h"
#include "windows/winutils.h"

#include <QResizeEvent>

ScrivelDialog::ScrivelDialog(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setDialogWindowFlags(this);
    if (ScrivelApp *app = ScrivelApp::instance())
        connect(this, &ScrivelDialog::dialogEvent, app, &ScrivelApp::generalDialogEvent);
}

ScrivelDialog::~ScrivelDialog() = default;

void ScrivelDialog::resizeEvent(QResizeEvent *event)
{
    placeOverPanel(this);
    QDialog::resizeEvent(event);
}

void ScrivelDialog::showEvent(QShowEvent *event)
{
    emit dialogEvent(true);
    placeOverPanel(this);
    QDialog::showEvent(event);
}

void ScrivelDialog::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    emit dialogEvent(false);
}
