// Stands in for the user of a program that a test starts: loaded into the program with
// LD_PRELOAD, it waits until the panel is shown (with SCRIVEL_USER_HIDDEN set, until the
// program has run its event loop for a while, shown or not) and then runs the steps that
// SCRIVEL_USER_STEPS lists, separated by ";":
//   mode:<name>  triggers the panel's input mode action of that name, as its mode button does;
//   report       writes "user: checked <name>" for the checked input mode action;
//   direction    writes "user: direction ltr" or "user: direction rtl", the application's
//                layout direction;
//   actions      writes "user: action <text>" for each action of the panel;
//   geometry     writes "user: geometry <x> <y> <width> <height>" of the panel window;
//   tray         clicks the tray icon, which hides a shown panel;
//   exit         triggers the panel's Exit action;
//   settings:<changes>  opens the Settings dialog through the panel's "Settings" action, makes
//                the changes ("|" between them) and presses OK, then writes "user: settings
//                ok" or "user: settings open" when the dialog stayed open. A change is
//                spin:<label>=<n>, radio:<text>, check:<text>=<0|1>, word:<word> (added to the
//                dictionary) or language:<start of its name>=<0|1>;
//   prefs        opens the Settings dialog, writes "user: pref ..." lines for its spin boxes,
//                checked radio buttons, check boxes, dictionary words and languages, and
//                cancels it;
//   languages    writes "user: language <label>" for each language of the language menu.
// Each step writes a line starting with "user:" to standard error.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <functional>

namespace {

QWidget *panel(bool shown)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->inherits("MainFrame") && (window->isVisible() || !shown))
            return window;
    }
    return nullptr;
}

QList<QAction *> modeActions(QWidget *panel)
{
    QList<QAction *> actions;
    for (QAction *action : panel->findChildren<QAction *>()) {
        if (action->objectName().endsWith(QLatin1String("ModeButton")))
            actions.append(action);
    }
    return actions;
}

void say(const QString &text)
{
    std::fprintf(stderr, "user: %s\n", qPrintable(text));
    std::fflush(stderr);
}

QDialog *settingsDialog()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->inherits("PrefDialog") && window->isVisible())
            return qobject_cast<QDialog *>(window);
    }
    return nullptr;
}

template<typename T>
T *titled(QWidget *dialog, const QString &title)
{
    for (QGroupBox *box : dialog->findChildren<QGroupBox *>()) {
        if (box->title() == title)
            return box->findChild<T *>();
    }
    return nullptr;
}

template<typename T>
T *withText(QWidget *dialog, const QString &text)
{
    for (T *w : dialog->findChildren<T *>()) {
        if (w->text() == text)
            return w;
    }
    return nullptr;
}

bool change(QDialog *dialog, const QString &item)
{
    const int colon = item.indexOf(QLatin1Char(':'));
    const QString kind = item.left(colon);
    QString what = item.mid(colon + 1);
    const int equals = what.lastIndexOf(QLatin1Char('='));
    const QString value = equals < 0 ? QString() : what.mid(equals + 1);
    if (equals >= 0 && kind != QLatin1String("radio") && kind != QLatin1String("word"))
        what = what.left(equals);
    if (kind == QLatin1String("spin")) {
        const QLabel *label = withText<QLabel>(dialog, what);
        auto *spin = label ? qobject_cast<QSpinBox *>(label->buddy()) : nullptr;
        if (spin)
            spin->setValue(value.toInt());
        return spin;
    }
    if (kind == QLatin1String("radio")) {
        QRadioButton *radio = withText<QRadioButton>(dialog, what);
        if (radio)
            radio->click();
        return radio;
    }
    if (kind == QLatin1String("check")) {
        QCheckBox *box = withText<QCheckBox>(dialog, what);
        if (box)
            box->setChecked(value == QLatin1String("1"));
        return box;
    }
    if (kind == QLatin1String("word")) {
        auto *field = titled<QLineEdit>(dialog, QStringLiteral("Enter or select a word:"));
        if (!field)
            return false;
        field->setText(what);
        for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
            if (button->toolTip() == QLatin1String("Add word"))
                button->click();
        }
        return true;
    }
    if (kind == QLatin1String("language")) {
        auto *list = titled<QListWidget>(dialog, QStringLiteral("Choose your &working languages"));
        bool found = false;
        for (int row = 0; list && row < list->count(); ++row) {
            if (list->item(row)->text().startsWith(what)) {
                list->item(row)->setCheckState(value == QLatin1String("1") ? Qt::Checked
                                                                          : Qt::Unchecked);
                found = true;
            }
        }
        return found;
    }
    return false;
}

void reportSettings(QDialog *dialog)
{
    for (const QLabel *label : dialog->findChildren<QLabel *>()) {
        if (const auto *spin = qobject_cast<const QSpinBox *>(label->buddy()))
            say(QStringLiteral("pref spin %1 %2").arg(label->text()).arg(spin->value()));
    }
    for (const QRadioButton *radio : dialog->findChildren<QRadioButton *>()) {
        if (radio->isChecked())
            say(QStringLiteral("pref radio ") + radio->text());
    }
    for (const QCheckBox *box : dialog->findChildren<QCheckBox *>())
        say(QStringLiteral("pref check %1 %2").arg(box->text()).arg(box->isChecked() ? 1 : 0));
    if (auto *words = titled<QListWidget>(dialog, QStringLiteral("Enter or select a word:"))) {
        for (int row = 0; row < words->count(); ++row)
            say(QStringLiteral("pref word ") + words->item(row)->text());
    }
    if (auto *list = titled<QListWidget>(dialog, QStringLiteral("Choose your &working languages"))) {
        for (int row = 0; row < list->count(); ++row)
            say(QStringLiteral("pref language %1 %2")
                    .arg(list->item(row)->text())
                    .arg(list->item(row)->checkState() == Qt::Checked ? 1 : 0));
    }
}

// Opens the Settings dialog and runs `inDialog` on it once it shows.
void withSettings(QWidget *panel, const std::function<void(QDialog *)> &inDialog)
{
    for (QAction *action : panel->findChildren<QAction *>()) {
        if (action->text() != QLatin1String("Settings"))
            continue;
        QTimer::singleShot(0, panel, [inDialog] {
            if (QDialog *dialog = settingsDialog())
                inDialog(dialog);
            else
                say(QStringLiteral("no settings dialog"));
        });
        action->trigger();
        return;
    }
    say(QStringLiteral("no settings"));
}

void runStep(QWidget *panel, const QString &step)
{
    if (step.startsWith(QLatin1String("mode:"))) {
        const QString name = step.mid(5);
        for (QAction *action : modeActions(panel)) {
            if (action->objectName() == name) {
                action->trigger();
                say(QStringLiteral("mode ") + name);
                return;
            }
        }
        say(QStringLiteral("no mode ") + name);
    } else if (step == QLatin1String("report")) {
        for (QAction *action : modeActions(panel)) {
            if (action->isChecked())
                say(QStringLiteral("checked ") + action->objectName());
        }
    } else if (step == QLatin1String("direction")) {
        say(QGuiApplication::layoutDirection() == Qt::RightToLeft
                ? QStringLiteral("direction rtl")
                : QStringLiteral("direction ltr"));
    } else if (step == QLatin1String("actions")) {
        for (const QAction *action : panel->findChildren<QAction *>())
            say(QStringLiteral("action ") + action->text());
    } else if (step == QLatin1String("geometry")) {
        const QRect r = panel->geometry();
        say(QStringLiteral("geometry %1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(
            r.height()));
    } else if (step == QLatin1String("tray")) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), "trayIconTriggerActivation");
        say(QStringLiteral("tray"));
    } else if (step == QLatin1String("exit")) {
        for (QAction *action : panel->findChildren<QAction *>()) {
            if (action->text() == QLatin1String("Exit")) {
                say(QStringLiteral("exit"));
                action->trigger();
                return;
            }
        }
        say(QStringLiteral("no exit"));
    } else if (step.startsWith(QLatin1String("settings:"))) {
        const QStringList changes = step.mid(9).split(QLatin1Char('|'), Qt::SkipEmptyParts);
        withSettings(panel, [changes](QDialog *dialog) {
            for (const QString &item : changes) {
                if (!change(dialog, item))
                    say(QStringLiteral("no ") + item);
            }
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            say(dialog->isVisible() ? QStringLiteral("settings open")
                                    : QStringLiteral("settings ok"));
            if (dialog->isVisible())
                dialog->reject();
        });
    } else if (step == QLatin1String("prefs")) {
        withSettings(panel, [](QDialog *dialog) {
            reportSettings(dialog);
            dialog->reject();
        });
    } else if (step == QLatin1String("languages")) {
        for (const QMenu *menu : panel->findChildren<QMenu *>()) {
            if (menu->objectName() != QLatin1String("languageMenu"))
                continue;
            for (const QAction *action : menu->actions()) {
                if (action->isVisible())
                    say(QStringLiteral("language ") + action->data().toString());
            }
        }
    }
}

void startUser()
{
    const QStringList steps =
        qEnvironmentVariable("SCRIVEL_USER_STEPS").split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (steps.isEmpty())
        return;
    const bool shown = !qEnvironmentVariableIsSet("SCRIVEL_USER_HIDDEN");
    auto *timer = new QTimer(QCoreApplication::instance());
    timer->setInterval(shown ? 50 : 500);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, steps, shown] {
        QWidget *window = panel(shown);
        if (!window)
            return;
        timer->stop();
        for (const QString &step : steps)
            runStep(window, step);
    });
    timer->start();
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startUser)
