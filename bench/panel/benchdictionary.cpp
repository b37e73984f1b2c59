// Opening the Settings dialog on the Dictionary page with a personal dictionary of 50 000
// words, typing a word into its search field, adding one, and importing 50 000 more from a
// file: the pauses a user would see.

#include "panel/dicotab.h"
#include "panel/prefdialog.h"
#include "platform/desktop.h"
#include "platform/winapi.h"
#include "windows/userdictionaries.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

const int wordCount = 50000;
const int runs = 5;

QStringList makeWords(int count, const QString &prefix)
{
    QStringList words;
    words.reserve(count);
    for (int i = 0; i < count; ++i)
        words.append(prefix + QString::number(i * 7919 % 1000003, 36));
    return words;
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

void print(const char *what, const QList<double> &v)
{
    std::printf("  %-40s median %8.2f ms  max %8.2f ms\n", what, median(v),
                *std::max_element(v.begin(), v.end()));
}

double millisecondsOf(QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("InkoraBench"));
    QCoreApplication::setApplicationName(QStringLiteral("DictionaryBench"));
    QTemporaryDir folder;
    Desktop::instance()->setKnownFolder(CSIDL_APPDATA, folder.path());
    if (!writePersonalDictionary(makeWords(wordCount, QStringLiteral("w"))))
        return 1;
    const QString importFile = folder.filePath(QStringLiteral("import.txt"));
    QFile file(importFile);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(makeWords(wordCount, QStringLiteral("i")).join(QLatin1Char('\n')).toUtf8());
    file.close();

    QList<double> open, search, miss, add, import;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        PrefDialog dialog(AppPreferences(), AllPrefTabs, DictionaryTab, nullptr);
        dialog.show();
        QCoreApplication::processEvents();
        open << millisecondsOf(timer);
        DicoTab *tab = dialog.dicoTab();
        timer.restart();
        tab->wordEdit()->setText(QStringLiteral("w") + QString::number(4242 * 7919 % 1000003, 36));
        QCoreApplication::processEvents();
        search << millisecondsOf(timer);
        timer.restart();
        tab->wordEdit()->setText(QStringLiteral("absent"));
        QCoreApplication::processEvents();
        miss << millisecondsOf(timer);
        timer.restart();
        tab->addWord();
        QCoreApplication::processEvents();
        add << millisecondsOf(timer);
        timer.restart();
        tab->importFile(importFile);
        QCoreApplication::processEvents();
        import << millisecondsOf(timer);
        if (tab->wordList()->count() != 2 * wordCount + 1)
            return 1;
    }
    std::printf("personal dictionary of %d words, %d runs\n", wordCount, runs);
    print("open the dialog on the Dictionary page", open);
    print("type a word that is listed", search);
    print("type a word that is not listed", miss);
    print("add that word", add);
    print("import 50 000 new words", import);
    return 0;
}
