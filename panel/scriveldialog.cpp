#include "panel/scriveldialog.h"

#include "panel/panelservices.h"
#include "windows/winutils.h"

#include <QResizeEvent>

ScrivelDialog::ScrivelDialog(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setDialogWindowFlags(this);
    connect(this, &ScrivelDialog::dialogEvent, this, [](bool shown) {
        if (PanelServices::isInstalled())
            PanelServices::instance()->announceDialog(shown);
    });
}

ScrivelDialog::~ScrivelDialog() = default;

void ScrivelDialog::place()
{
    if (PanelServices::isInstalled())
        PanelServices::instance()->placeDialog(this);
}

void ScrivelDialog::resizeEvent(QResizeEvent *event)
{
    place();
    QDialog::resizeEvent(event);
}

void ScrivelDialog::showEvent(QShowEvent *event)
{
    emit dialogEvent(true);
    place();
    QDialog::showEvent(event);
}

void ScrivelDialog::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    emit dialogEvent(false);
}
