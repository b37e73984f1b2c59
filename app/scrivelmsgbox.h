#pragma once

#include <QMessageBox>

// The program's message box: stays on top, centres itself on the panel and announces itself
// to the application once it is shown. The static helpers answer through the platform's
// prompt seam when a test handler or the headless platform answers.
class ScrivelMsgBox : public QMessageBox
{
    Q_OBJECT

public:
    ScrivelMsgBox(Icon icon, const QString &title, const QString &text,
                  StandardButtons buttons = NoButton, QWidget *parent = nullptr,
                  Qt::WindowFlags flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    ~ScrivelMsgBox() override;

    static StandardButton showMessageBox(Icon icon, QWidget *parent, const QString &title,
                                         const QString &text, StandardButtons buttons,
                                         StandardButton defaultButton);
    static StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                   StandardButtons buttons = Ok,
                                   StandardButton defaultButton = NoButton)
    {
        return showMessageBox(Critical, parent, title, text, buttons, defaultButton);
    }
    static StandardButton information(QWidget *parent, const QString &title,
                                      const QString &text, StandardButtons buttons = Ok,
                                      StandardButton defaultButton = NoButton)
    {
        return showMessageBox(Information, parent, title, text, buttons, defaultButton);
    }
    static StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                   StandardButtons buttons = StandardButtons(Yes | No),
                                   StandardButton defaultButton = NoButton)
    {
        return showMessageBox(Question, parent, title, text, buttons, defaultButton);
    }
    static StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                  StandardButtons buttons = Ok,
                                  StandardButton defaultButton = NoButton)
    {
        return showMessageBox(Warning, parent, title, text, buttons, defaultButton);
    }

signals:
    void dialogEvent(bool shown);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
};
