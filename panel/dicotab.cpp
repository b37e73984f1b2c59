#include "panel/dicotab.h"

#include "panel/apppreferences.h"
#include "platform/prompt.h"
#include "windows/userdictionaries.h"
#include "windows/wholefilewriter.h"
#include "windows/winutils.h"

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QByteArray byteOrderMark("\xEF\xBB\xBF");
const Qt::ItemFlags itemFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;

// The words of UTF-8 text, one trimmed word per line, empty lines left out.
QStringList wordsOfText(const QString &text)
{
    QStringList words;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString word = line.trimmed();
        if (!word.isEmpty())
            words.append(word);
    }
    return words;
}

} // namespace

DicoTab::DicoTab(AppPreferences *prefs, QPushButton *okButton, QWidget *parent)
    : QWidget(parent)
    , m_prefs(prefs)
    , m_okButton(okButton)
{
    auto *wordBox = new QGroupBox(tr("Enter or select a word:"), this);
    m_wordEdit = new QLineEdit(wordBox);
    m_wordList = new QListWidget(wordBox);
    m_wordList->setUniformItemSizes(true);
    if (!prefs->dictionaries.isEmpty())
        setWords(prefs->dictionaries.first());
    m_addButton = iconButton("add_word.png", tr("Add word"), &DicoTab::addWord);
    m_editButton = iconButton("edit_word.png", tr("Edit current word"), &DicoTab::editWord);
    m_delButton = iconButton("del_word.png", tr("Delete current word"), &DicoTab::delWord);
    m_applyButton =
        iconButton("validate_word.png", tr("Apply modifications"), &DicoTab::applyEdit);
    m_cancelButton =
        iconButton("cancel_word.png", tr("Cancel modifications"), &DicoTab::cancelEdit);
    for (QPushButton *button : {m_addButton, m_editButton, m_delButton})
        button->setEnabled(false);
    for (QPushButton *button : {m_applyButton, m_cancelButton})
        button->hide();
    auto *grid = new QGridLayout(wordBox);
    grid->addWidget(m_wordEdit, 0, 0);
    grid->addWidget(m_applyButton, 0, 1);
    grid->addWidget(m_addButton, 0, 1);
    grid->addWidget(m_cancelButton, 0, 2);
    grid->addWidget(m_editButton, 0, 2);
    grid->addWidget(m_delButton, 0, 3);
    grid->addWidget(m_wordList, 1, 0, 1, 4);
    grid->setRowStretch(1, 10);
    grid->setColumnStretch(0, 10);
    connect(m_wordEdit, &QLineEdit::textChanged, this, &DicoTab::searchForWord);
    connect(m_wordList, &QListWidget::itemClicked, this, &DicoTab::modifyActiveWord);

    auto *fileBox = new QGroupBox(tr("Import or export word list:"), this);
    m_importButton = new QPushButton(tr("I&mport"), fileBox);
    m_importButton->setToolTip(tr("Import dictionary file"));
    m_exportButton = new QPushButton(tr("&Export"), fileBox);
    m_exportButton->setToolTip(tr("Export dictionary to file"));
    connect(m_importButton, &QPushButton::clicked, this, &DicoTab::importWords);
    connect(m_exportButton, &QPushButton::clicked, this, &DicoTab::exportWords);
    auto *fileLayout = new QHBoxLayout(fileBox);
    fileLayout->addWidget(m_importButton);
    fileLayout->addWidget(m_exportButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(wordBox);
    layout->addWidget(fileBox);
}

QPushButton *DicoTab::iconButton(const char *icon, const QString &toolTip,
                                 void (DicoTab::*slot)())
{
    auto *button = new QPushButton(this);
    button->setIcon(QIcon(QStringLiteral(":/data/images/") + QLatin1String(icon)));
    button->setIconSize(QSize(16, 16));
    button->setFixedSize(30, 26);
    button->setToolTip(toolTip);
    connect(button, &QPushButton::clicked, this, slot);
    return button;
}

QListWidgetItem *DicoTab::findWord(const QString &word) const
{
    for (int row = 0; row < m_wordList->count(); ++row) {
        QListWidgetItem *item = m_wordList->item(row);
        if (item->text() == word)
            return item;
    }
    return nullptr;
}

// The list stays sorted by inserting each word at its place, which a large list does far
// faster than a sorting list widget.
void DicoTab::addItem(const QString &word)
{
    int low = 0;
    int high = m_wordList->count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (m_wordList->item(middle)->text() < word)
            low = middle + 1;
        else
            high = middle;
    }
    auto *item = new QListWidgetItem(word);
    item->setFlags(itemFlags);
    m_wordList->insertItem(low, item);
}

void DicoTab::setWords(QStringList words)
{
    std::sort(words.begin(), words.end());
    m_wordList->clear();
    m_wordList->addItems(words);
    for (int row = 0; row < m_wordList->count(); ++row)
        m_wordList->item(row)->setFlags(itemFlags);
}

QStringList DicoTab::words() const
{
    QStringList words;
    words.reserve(m_wordList->count());
    for (int row = 0; row < m_wordList->count(); ++row)
        words.append(m_wordList->item(row)->text());
    return words;
}

void DicoTab::searchForWord(const QString &word)
{
    const QString w = word.trimmed();
    if (!m_wordList->isEnabled())
        return;
    m_editRow = -2;
    if (w.isEmpty()) {
        for (QPushButton *button : {m_addButton, m_delButton, m_editButton})
            button->setEnabled(false);
        m_wordList->setCurrentRow(-1);
        if (m_okButton)
            m_okButton->setDefault(true);
        return;
    }
    if (QListWidgetItem *item = findWord(w)) {
        m_wordList->setCurrentItem(item);
        m_editRow = m_wordList->currentRow();
        m_addButton->setEnabled(false);
        m_delButton->setEnabled(true);
        m_editButton->setEnabled(true);
        m_editButton->setDefault(true);
        return;
    }
    m_editRow = m_wordList->currentRow();
    m_addButton->setEnabled(true);
    m_addButton->setDefault(true);
    m_delButton->setEnabled(false);
    m_wordList->setCurrentRow(-1);
    m_editButton->setEnabled(false);
}

void DicoTab::modifyActiveWord(QListWidgetItem *item)
{
    if (!item || m_wordList->currentRow() < 0)
        return;
    m_wordEdit->setText(item->text());
    m_wordList->setCurrentItem(item);
}

void DicoTab::addWord()
{
    const QString w = m_wordEdit->text().trimmed();
    if (!w.isEmpty() && !findWord(w))
        addItem(w);
    m_wordEdit->clear();
    m_wordEdit->setFocus();
}

void DicoTab::editWord()
{
    m_delButton->setEnabled(false);
    m_addButton->hide();
    m_editButton->hide();
    m_applyButton->show();
    m_cancelButton->show();
    m_wordList->setEnabled(false);
    m_applyButton->setDefault(true);
    m_wordEdit->setFocus();
}

void DicoTab::applyEdit()
{
    const QString w = m_wordEdit->text().trimmed();
    // An emptied field would only delete the word: it leaves the edit unapplied.
    if (w.isEmpty()) {
        cancelEdit();
        return;
    }
    delete m_wordList->item(m_editRow);
    if (!findWord(w))
        addItem(w);
    m_wordEdit->clear();
    m_delButton->setEnabled(false);
    m_editButton->setEnabled(false);
    m_addButton->show();
    m_editButton->show();
    m_applyButton->hide();
    m_cancelButton->hide();
    m_wordList->setEnabled(true);
    m_wordList->setCurrentRow(-1);
    m_wordEdit->setFocus();
}

void DicoTab::cancelEdit()
{
    m_delButton->setEnabled(true);
    m_addButton->show();
    m_editButton->show();
    m_applyButton->hide();
    m_cancelButton->hide();
    m_wordList->setEnabled(true);
    if (QListWidgetItem *item = m_wordList->item(m_editRow)) {
        m_wordList->setCurrentItem(item);
        m_wordEdit->setText(item->text());
    }
    m_wordEdit->setFocus();
}

void DicoTab::delWord()
{
    const QString w = m_wordEdit->text().trimmed();
    for (QListWidgetItem *item : m_wordList->findItems(w, Qt::MatchExactly | Qt::MatchCaseSensitive))
        delete item;
    m_wordEdit->clear();
    m_wordEdit->setEnabled(true);
    m_wordEdit->setFocus();
}

void DicoTab::restore()
{
    m_wordEdit->clear();
}

void DicoTab::importWords()
{
    const QString fileName =
        Prompt::openFileName(this, tr("Import dictionary"), applicationPath(UserDataFolder),
                             tr("Dict files ( *.txt )"));
    if (!fileName.isEmpty())
        importFile(fileName);
}

bool DicoTab::importFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        Prompt::message(QMessageBox::Warning, this, tr("Inkora Scrivel"),
                        tr("The file %1 cannot be read.").arg(fileName), QMessageBox::Ok,
                        QMessageBox::Ok);
        return false;
    }
    QByteArray bytes = file.readAll();
    file.close();
    if (bytes.startsWith(byteOrderMark))
        bytes.remove(0, byteOrderMark.size());
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() != bytes) {
        Prompt::message(QMessageBox::Warning, this, tr("Inkora Scrivel"),
                        tr("Your file cannot be imported as it includes specific "
                           "characters.\nPlease save your file as UTF-8 in a text editor and "
                           "import it again."),
                        QMessageBox::Ok, QMessageBox::Ok);
        return false;
    }
    QStringList merged = words();
    QSet<QString> known(merged.cbegin(), merged.cend());
    for (const QString &word : wordsOfText(text)) {
        if (!known.contains(word)) {
            known.insert(word);
            merged.append(word);
        }
    }
    setWords(merged);
    return true;
}

void DicoTab::exportWords()
{
    const QString fileName =
        Prompt::saveFileName(this, tr("Export dictionary"), applicationPath(UserDataFolder),
                             tr("Dict files ( *.txt )"));
    if (!fileName.isEmpty() && !exportFile(fileName)) {
        Prompt::message(QMessageBox::Warning, this, tr("Inkora Scrivel"),
                        tr("The dictionary could not be exported to %1.").arg(fileName),
                        QMessageBox::Ok, QMessageBox::Ok);
    }
}

bool DicoTab::exportFile(const QString &fileName)
{
    QByteArray content;
    for (const QString &word : words())
        content += word.toUtf8() + '\n';
    return writeWholeFile(fileName, content);
}

bool DicoTab::storeWords()
{
    const QStringList list = words();
    if (m_prefs->dictionaries.isEmpty())
        m_prefs->dictionaries.append(QStringList());
    m_prefs->dictionaries.first() = list;
    return writePersonalDictionary(list);
}
