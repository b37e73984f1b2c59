#include "app/preferencesstore.h"

#include "pad/inputwidget.h"
#include "recognition/configrepository.h"
#include "recognition/inputmode.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>

QString hidingModeName(int mode)
{
    switch (mode) {
    case BehaviourSettings::Hide:
        return QStringLiteral("Hide");
    case BehaviourSettings::SlideLeft:
        return QStringLiteral("SlideLeft");
    case BehaviourSettings::SlideRight:
        return QStringLiteral("SlideRight");
    default:
        return QString();
    }
}

namespace {

QString calcSendModeName(CalcOutputMode mode)
{
    switch (mode) {
    case CalcOutputMode::ResultOnly:
        return QStringLiteral("ResultOnly");
    case CalcOutputMode::Spreadsheet:
        return QStringLiteral("Spreadsheet");
    case CalcOutputMode::Html:
        return QStringLiteral("Html");
    case CalcOutputMode::Text:
        return QStringLiteral("Text");
    }
    return QString();
}

// Slide left for a missing or unknown text.
int hidingModeFromName(const QString &name)
{
    for (int mode : {BehaviourSettings::Hide, BehaviourSettings::SlideRight}) {
        if (name == hidingModeName(mode))
            return mode;
    }
    return BehaviourSettings::SlideLeft;
}

// `current` for a missing or unknown text.
CalcOutputMode calcSendModeFromName(const QString &name, CalcOutputMode current)
{
    for (CalcOutputMode mode : {CalcOutputMode::ResultOnly, CalcOutputMode::Spreadsheet,
                                CalcOutputMode::Html, CalcOutputMode::Text}) {
        if (name == calcSendModeName(mode))
            return mode;
    }
    return current;
}

void writeGeometry(QSettings &store, const AppPreferences &prefs)
{
    store.setValue(QStringLiteral("geoWindowedPosition"), prefs.windowedPosition);
    store.setValue(QStringLiteral("geoMaximizedPosition"), prefs.maximizedPosition);
    store.setValue(QStringLiteral("dockedHeightWindowed"), prefs.dockedHeightWindowed);
    store.setValue(QStringLiteral("dockedHeightMaximized"), prefs.dockedHeightMaximized);
    store.setValue(QStringLiteral("geoWindowedSize"), prefs.windowedSize);
    store.setValue(QStringLiteral("geoMaximizedSize"), prefs.maximizedSize);
    store.setValue(QStringLiteral("floatingMenuPosition"), prefs.floatingMenuPosition);
}

void writeBehaviour(QSettings &store, const AppPreferences &prefs)
{
    const BehaviourSettings &b = prefs.behaviour;
    store.setValue(QStringLiteral("inkColorName"), prefs.style.color(ItemStyle::InkColor).name());
    store.setValue(QStringLiteral("leftColorName"),
                   prefs.style.color(ItemStyle::LeftColor).name());
    store.setValue(QStringLiteral("rightColorName"),
                   prefs.style.color(ItemStyle::RightColor).name());
    store.setValue(QStringLiteral("inkWidth"), prefs.style.inkWidth());
    store.setValue(QStringLiteral("autoSend"), b.autoSend);
    store.setValue(QStringLiteral("autoSendSpeed"), b.autoSendSpeed);
    store.setValue(QStringLiteral("displayAnimationInk"), b.displayAnimationInk);
    store.setValue(QStringLiteral("dockingMode"), b.dockingMode);
    store.setValue(QStringLiteral("showKeypad"), b.showKeypad);
    store.setValue(QStringLiteral("nbOfDecimals"), b.nbOfDecimals);
    const QString sendMode = calcSendModeName(b.calcSendMode);
    if (!sendMode.isEmpty())
        store.setValue(QStringLiteral("calcSendMode"), sendMode);
    store.setValue(QStringLiteral("displayCalculatorSampleInk"), b.displayCalculatorSampleInk);
    store.setValue(QStringLiteral("solveAuto"), b.solveAuto);
    const QString hiding = hidingModeName(b.hidingMode);
    if (!hiding.isEmpty())
        store.setValue(QStringLiteral("hidingMode"), hiding);
    store.setValue(QStringLiteral("quickAccessButton"), b.quickAccessButton);
    store.setValue(QStringLiteral("fadeOut"), b.fadeOut);
}

void readStored(QSettings &store, AppPreferences *prefs, PreferencesRead *read)
{
    auto value = [&store](const char *key) { return store.value(QLatin1String(key)); };
    prefs->windowedPosition = value("geoWindowedPosition").toPoint();
    prefs->dockedHeightWindowed = value("dockedHeightWindowed").toInt();
    prefs->dockedHeightMaximized = value("dockedHeightMaximized").toInt();
    const QVariant size = value("geoWindowedSize");
    prefs->windowedSize = size.isValid() ? size.toSize() : QSize();
    prefs->floatingMenuPosition = value("floatingMenuPosition").toPoint();

    read->locale.detectedLanguages = value("detectedLanguages").toString();
    read->locale.workingLanguages = value("workingLanguages").toString();
    read->locale.activeLanguage = value("activeLanguage").toString();
    const int mode = read->locale.activeLanguage == QLatin1String("zh_HK")
                         ? int(IsolatedMode)
                         : inputModeFromName(value("lastInputMode").toString());
    // A name that is no mode ("unknown" is written when the panel had no input widget) would
    // leave the panel without one: it starts in cursive, as on a first start.
    read->inputMode = mode == UnknownMode ? int(CursiveMode) : mode;

    prefs->style.setColor(ItemStyle::InkColor, QColor(value("inkColorName").toString()));
    prefs->style.setColor(ItemStyle::LeftColor, QColor(value("leftColorName").toString()));
    prefs->style.setColor(ItemStyle::RightColor, QColor(value("rightColorName").toString()));
    prefs->style.setInkWidth(value("inkWidth").toInt());

    BehaviourSettings &b = prefs->behaviour;
    b.autoSend = value("autoSend").toBool();
    b.autoSendSpeed = value("autoSendSpeed").toInt();
    b.displayAnimationInk = value("displayAnimationInk").toBool();
    b.showKeypad = value("showKeypad").toBool();
    b.dockingMode = value("dockingMode").toBool();
    b.hidingMode = hidingModeFromName(value("hidingMode").toString());
    b.calcSendMode = calcSendModeFromName(value("calcSendMode").toString(), b.calcSendMode);
    if (store.contains(QStringLiteral("nbOfDecimals")))
        b.nbOfDecimals = value("nbOfDecimals").toInt();
    if (store.contains(QStringLiteral("displayCalculatorSampleInk")))
        b.displayCalculatorSampleInk = value("displayCalculatorSampleInk").toBool();
    if (store.contains(QStringLiteral("solveAuto")))
        b.solveAuto = value("solveAuto").toBool();
    b.quickAccessButton = value("quickAccessButton").toBool();
    b.fadeOut = value("fadeOut").toBool();
    read->saveInk = value("saveInk").toString() == QLatin1String("true");
}

void setFirstStart(AppPreferences *prefs, const QRect &primaryArea, PreferencesRead *read)
{
    prefs->windowedSize = QSize(600, 250);
    const int width = primaryArea.right() - primaryArea.left() + 1;
    const int height = primaryArea.bottom() - primaryArea.top() + 1;
    // The area's origin counts, so that a primary screen right of or below another one gets
    // the panel too.
    prefs->windowedPosition =
        primaryArea.topLeft() + QPoint(width / 2 - 300, height / 2 - 125);
    prefs->dockedHeightWindowed = 250;
    prefs->dockedHeightMaximized = 250;
    read->saveInk = false;
    read->inputMode = CursiveMode;
}

} // namespace

QString settingsGroupName()
{
    const QStringList parts = QCoreApplication::applicationVersion().split(QLatin1Char('.'));
    return parts.mid(0, 2).join(QLatin1Char('.'));
}

void writePreferences(QSettings &store, const AppPreferences &prefs, const LocalePrefs &locale,
                      int inputMode)
{
    if (inputMode == IsoTrainerMode)
        inputMode = CursiveMode;
    store.beginGroup(settingsGroupName());
    store.setValue(QStringLiteral("exists"), true);
    writeGeometry(store, prefs);
    store.setValue(QStringLiteral("detectedLanguages"), locale.detectedLanguages);
    store.setValue(QStringLiteral("workingLanguages"), locale.workingLanguages);
    store.setValue(QStringLiteral("activeLanguage"), locale.activeLanguage);
    store.setValue(QStringLiteral("lastInputMode"), inputModeName(inputMode));
    writeBehaviour(store, prefs);
    store.endGroup();
}

PreferencesRead readPreferences(QSettings &store, AppPreferences *prefs,
                                const QRect &primaryArea, const QRect &desktop)
{
    PreferencesRead read;
    store.beginGroup(settingsGroupName());
    read.firstStart = !store.contains(QStringLiteral("exists"));
    if (read.firstStart)
        setFirstStart(prefs, primaryArea, &read);
    else
        readStored(store, prefs, &read);
    store.endGroup();
    prefs->maximizedSize = QSize(desktop.width() + 10, desktop.height() + 10);
    prefs->maximizedPosition = QPoint(desktop.left() - 5, desktop.top() - 5);
    return read;
}

bool setAsideUnreadableStore(const QString &organization, const QString &application,
                             QString *keptAs)
{
    QString fileName;
    {
        QSettings store(organization, application);
        store.childGroups();
        if (store.status() != QSettings::FormatError)
            return false;
        fileName = store.fileName();
    }
    const QString aside = fileName + QStringLiteral(".unreadable");
    QFile::remove(aside);
    *keptAs = QFile::rename(fileName, aside) ? aside : QString();
    return true;
}

bool syncStore(QSettings &store)
{
    store.sync();
    return store.status() == QSettings::NoError;
}

void readInputWidgetSettings(QSettings &store, InputWidget &widget)
{
    const QString mode = inputModeName(widget.inputMode());
    store.beginGroup(settingsGroupName());
    if (store.childGroups().contains(mode, Qt::CaseSensitive)) {
        store.beginGroup(mode);
        widget.loadSettings(store);
        store.endGroup();
    }
    store.endGroup();
}

void writeInputWidgetSettings(QSettings &store, InputWidget &widget)
{
    store.beginGroup(settingsGroupName());
    store.beginGroup(inputModeName(widget.inputMode()));
    widget.saveSettings(store);
    store.endGroup();
    store.endGroup();
}
