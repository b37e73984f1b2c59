#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
struct AppPreferences;

// The "Dictionary" page of the preferences: an editor of the personal word list. The word
// field doubles as a search field; words are imported from and exported to UTF-8 text files,
// and reach the personal dictionary only when the dialog is accepted.
class DicoTab : public QWidget
{
    Q_OBJECT

public:
    DicoTab(AppPreferences *prefs, QPushButton *okButton, QWidget *parent = nullptr);

    // Adds the words of a UTF-8 text file (with or without a byte-order mark); a file that is
    // not UTF-8 is refused with a warning. False when nothing was imported.
    bool importFile(const QString &fileName);
    // Writes the words one per line in UTF-8; a failed write leaves an earlier file whole.
    bool exportFile(const QString &fileName);
    // Puts the list into the preferences' personal word list and writes the personal
    // dictionary; false when the file could not be written.
    bool storeWords();
    QStringList words() const;
    QLineEdit *wordEdit() const { return m_wordEdit; }
    QListWidget *wordList() const { return m_wordList; }
    QPushButton *addButton() const { return m_addButton; }
    QPushButton *editButton() const { return m_editButton; }
    QPushButton *delButton() const { return m_delButton; }
    QPushButton *applyButton() const { return m_applyButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

public slots:
    void searchForWord(const QString &word);
    void modifyActiveWord(QListWidgetItem *item);
    void addWord();
    void editWord();
    void delWord();
    void applyEdit();
    void cancelEdit();
    void importWords();
    void exportWords();
    void restore();

private:
    QPushButton *iconButton(const char *icon, const QString &toolTip, void (DicoTab::*slot)());
    QListWidgetItem *findWord(const QString &word) const;
    void addItem(const QString &word);
    void setWords(QStringList words);

    AppPreferences *m_prefs;
    QPushButton *m_okButton;
    QLineEdit *m_wordEdit;
    QListWidget *m_wordList;
    QPushButton *m_addButton;
    QPushButton *m_editButton;
    QPushButton *m_delButton;
    QPushButton *m_applyButton;
    QPushButton *m_cancelButton;
    QPushButton *m_importButton;
    QPushButton *m_exportButton;
    int m_editRow = -2;
};
