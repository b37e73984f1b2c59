#include "app/scrivelmsgbox.h"

#include "app/placement.h"
#include "app/scrivelapp.h"
#include "platform/prompt.h"

ScrivelMsgBox::ScrivelMsgBox(Icon icon, const QString &title, const QString &text,
                             StandardButtons buttons, QWidget *parent, Qt::WindowFlags flags)
    : QMessageBox(icon, title, text, buttons, parent, flags | Qt::WindowStaysOnTopHint)
{
    if (ScrivelApp *app = ScrivelApp::instance())
        connect(this, &ScrivelMsgBox::dialogEvent, app, &ScrivelApp::generalDialogEvent);
}

ScrivelMsgBox::~ScrivelMsgBox() = default;

QMessageBox::StandardButton ScrivelMsgBox::showMessageBox(Icon icon, QWidget *parent,
                                                          const QString &title,
                                                          const QString &text,
                                                          StandardButtons buttons,
                                                          StandardButton defaultButton)
{
    ScrivelMsgBox box(icon, title, text, buttons, parent,
                      Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setDefaultButton(defaultButton);
    const Prompt::Request request{Prompt::Message, int(icon),          title, text,
                                  int(buttons),    int(defaultButton), {}};
    QVariant answer;
    if (Prompt::answered(request, &answer)) {
        // Shown and hidden once, so that the placement and the announcements happen as for
        // a box the user closes.
        box.show();
        box.hide();
        return answer.isValid() ? StandardButton(answer.toInt()) : defaultButton;
    }
    return StandardButton(box.exec());
}

void ScrivelMsgBox::resizeEvent(QResizeEvent *event)
{
    placeOverPanel(this);
    QMessageBox::resizeEvent(event);
}

void ScrivelMsgBox::showEvent(QShowEvent *event)
{
    placeOverPanel(this);
    QMessageBox::showEvent(event);
    emit dialogEvent(true);
}

void ScrivelMsgBox::hideEvent(QHideEvent *event)
{
    QMessageBox::hideEvent(event);
    emit dialogEvent(false);
}
