#include "app/settingssubset.h"

#include "app/preferencesstore.h"
#include "app/settingsdocument.h"
#include "pad/writepad.h"
#include "recognition/inputmode.h"

#include <QColor>
#include <QSettings>

namespace {

const QString CursiveGroup = QStringLiteral("cursive");
const QString IsolatedGroup = QStringLiteral("isolated");

// Applies an integer value within [low, high]; other text leaves the target.
void applyInt(const QVariantMap &values, const char *key, int low, int high, int *target)
{
    const auto it = values.constFind(QLatin1String(key));
    if (it == values.cend())
        return;
    bool ok = false;
    const int value = it->toString().toInt(&ok);
    if (ok && value >= low && value <= high)
        *target = value;
}

void applyBool(const QVariantMap &values, const char *key, bool *target)
{
    const auto it = values.constFind(QLatin1String(key));
    if (it != values.cend())
        *target = it->toBool();
}

void applyColor(const QVariantMap &values, const char *key, ItemStyle::Color role, ItemStyle *style)
{
    const auto it = values.constFind(QLatin1String(key));
    if (it == values.cend())
        return;
    const QColor color(it->toString());
    if (color.isValid())
        style->setColor(role, color);
}

} // namespace

void fillSettingsSubset(QSettings &store, const AppPreferences &prefs, const LocalePrefs &locale,
                        int inputMode, SettingsDocument *document)
{
    store.beginGroup(settingsGroupName());
    document->setVersion(settingsGroupName());
    document->clearGlobals();
    document->clearModes();
    const BehaviourSettings &b = prefs.behaviour;
    auto put = [document](const char *key, const QVariant &value) {
        document->putGlobal(QLatin1String(key), value);
    };
    put("detectedLanguages", locale.detectedLanguages.trimmed());
    put("workingLanguages", locale.workingLanguages.trimmed());
    put("activeLanguage", locale.activeLanguage.trimmed());
    put("lastInputMode", inputModeName(inputMode == IsoTrainerMode ? int(CursiveMode) : inputMode));
    put("inkColorName", prefs.style.color(ItemStyle::InkColor).name());
    put("leftColorName", prefs.style.color(ItemStyle::LeftColor).name());
    put("rightColorName", prefs.style.color(ItemStyle::RightColor).name());
    put("inkWidth", prefs.style.inkWidth());
    put("autoSend", b.autoSend);
    put("autoSendSpeed", b.autoSendSpeed);
    put("displayAnimationInk", b.displayAnimationInk);
    put("quickAccessButton", b.quickAccessButton);
    put("dockingMode", b.dockingMode);
    put("nbOfDecimal", b.nbOfDecimals);
    put("displayCalculatorSampleInk", b.displayCalculatorSampleInk);
    put("showKeypad", b.showKeypad);
    const QString hiding = hidingModeName(b.hidingMode);
    if (!hiding.isEmpty())
        put("hidingMode", hiding);
    put("fadeOut", b.fadeOut);
    store.beginGroup(CursiveGroup);
    Writepad::defaultLastConfig(document->mode(CursiveGroup));
    store.endGroup();
    store.beginGroup(IsolatedGroup);
    QVariantMap isolated;
    Writepad::readLastConfig(store, isolated);
    if (!isolated.isEmpty())
        document->mode(IsolatedGroup) = isolated;
    store.endGroup();
    store.endGroup();
}

SubsetRequests applySettingsValues(QSettings &store, const SettingsDocument &document,
                                   AppPreferences *prefs, LocalePrefs *locale)
{
    SubsetRequests requests;
    const QVariantMap &values = document.globals();
    auto text = [&values](const char *key) { return values.value(QLatin1String(key)).toString(); };
    if (values.contains(QStringLiteral("workingLanguages")))
        locale->workingLanguages = text("workingLanguages");
    if (values.contains(QStringLiteral("activeLanguage")))
        locale->activeLanguage = text("activeLanguage");
    if (values.contains(QStringLiteral("lastInputMode")))
        requests.inputMode = inputModeFromName(text("lastInputMode"));
    applyColor(values, "inkColorName", ItemStyle::InkColor, &prefs->style);
    applyColor(values, "leftColorName", ItemStyle::LeftColor, &prefs->style);
    applyColor(values, "rightColorName", ItemStyle::RightColor, &prefs->style);
    int inkWidth = prefs->style.inkWidth();
    applyInt(values, "inkWidth", 1, 10, &inkWidth);
    prefs->style.setInkWidth(inkWidth);
    BehaviourSettings &b = prefs->behaviour;
    applyBool(values, "autoSend", &b.autoSend);
    applyInt(values, "autoSendSpeed", 500, 4500, &b.autoSendSpeed);
    applyBool(values, "displayAnimationInk", &b.displayAnimationInk);
    applyBool(values, "quickAccessButton", &b.quickAccessButton);
    applyBool(values, "dockingMode", &b.dockingMode);
    applyInt(values, "nbOfDecimal", 1, 9, &b.nbOfDecimals);
    applyBool(values, "displayCalculatorSampleInk", &b.displayCalculatorSampleInk);
    if (values.contains(QStringLiteral("showKeypad")))
        requests.showKeypad = values.value(QStringLiteral("showKeypad")).toBool();
    const QString hiding = text("hidingMode");
    for (int mode :
         {BehaviourSettings::Hide, BehaviourSettings::SlideLeft, BehaviourSettings::SlideRight}) {
        if (!hiding.isEmpty() && hiding == hidingModeName(mode))
            b.hidingMode = mode;
    }
    applyBool(values, "fadeOut", &b.fadeOut);
    store.beginGroup(settingsGroupName());
    if (document.hasMode(IsolatedGroup)) {
        store.beginGroup(IsolatedGroup);
        Writepad::saveLastConfig(store, document.modeSettings(IsolatedGroup));
        store.endGroup();
    }
    store.endGroup();
    return requests;
}

SettingsDocument subsetFromValues(const QString &values)
{
    SettingsDocument document;
    document.setVersion(settingsGroupName());
    for (const QString &word : values.split(QLatin1Char(' '))) {
        const QStringList pair = word.split(QLatin1Char('='));
        if (pair.size() == 2)
            document.putGlobal(pair.at(0), pair.at(1));
    }
    return document;
}
