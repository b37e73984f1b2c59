// Draws every page of the Settings dialog, left to right and right to left ("-rtl" files), to
// PNG files in a folder: scrivel_prefsrender <folder>. QT_SCALE_FACTOR=2 doubles them.
#include "panel/dicotab.h"
#include "panel/prefdialog.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QTabWidget>

#include <cstdio>

namespace {

AppPreferences samplePreferences(QActionGroup *languages)
{
    const struct
    {
        const char *label;
        bool visible;
    } entries[] = {
        {"English en_US", true},  {"English en_GB", false}, {"French fr_FR", true},
        {"Arabic ar_SA", true},   {"_anna fr_FR", true},    {"Chinese zh_HK", false},
        {"German de_DE", false},  {"Spanish es_ES", true},
    };
    for (const auto &entry : entries) {
        auto *action = new QAction(QLatin1String(entry.label), languages);
        action->setData(QLatin1String(entry.label));
        action->setCheckable(true);
        action->setVisible(entry.visible);
    }
    languages->actions().first()->setChecked(true);
    AppPreferences prefs;
    prefs.behaviour.autoSend = true;
    prefs.languageActions = languages->actions();
    prefs.activeLanguage = languages->checkedAction();
    return prefs;
}

bool renderAll(const QDir &folder, const QString &suffix)
{
    QActionGroup languages(nullptr);
    PrefDialog dialog(samplePreferences(&languages), AllPrefTabs, DictionaryTab, nullptr);
    QListWidget *words = dialog.dicoTab()->wordList();
    for (const char *word : {"Zürich", "apple", "boulangerie", "naïve", "Ωmega", "kanji 漢字"})
        words->addItem(QString::fromUtf8(word));
    dialog.dicoTab()->wordEdit()->setText(QStringLiteral("apple"));
    const QStringList names{"dictionary", "languages", "ink", "panelaccess", "calculator"};
    bool saved = true;
    dialog.show();
    for (int i = 0; i < dialog.tabs()->count(); ++i) {
        dialog.tabs()->setCurrentIndex(i);
        if (i == 0)
            dialog.dicoTab()->wordEdit()->setText(QStringLiteral("apple"));
        QCoreApplication::processEvents();
        const QString path = folder.filePath(names.at(i) + suffix + QStringLiteral(".png"));
        saved &= dialog.grab().save(path);
        std::printf("%s %dx%d\n", qPrintable(path), dialog.width(), dialog.height());
    }
    dialog.hide();
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: scrivel_prefsrender <folder>\n");
        return 2;
    }
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    bool saved = renderAll(folder, QString());
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    saved &= renderAll(folder, QStringLiteral("-rtl"));
    return saved ? 0 : 1;
}
