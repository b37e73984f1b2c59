#include "panel/languagetab.h"

#include "lang/localenames.h"
#include "panel/apppreferences.h"
#include "platform/prompt.h"
#include "recognition/configrepository.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

LanguageTab::LanguageTab(AppPreferences *prefs, QWidget *parent)
    : QWidget(parent)
    , m_prefs(prefs)
{
    auto *languagesBox = new QGroupBox(tr("Choose your &working languages"), this);
    m_list = new QListWidget(languagesBox);
    auto *languagesLayout = new QVBoxLayout(languagesBox);
    languagesLayout->addWidget(m_list);
    for (QAction *action : prefs->languageActions) {
        const QString label = action->data().toString();
        QString text = fullLanguageName(QLocale(labelTail(label)));
        // A head made by a training starts with "_".
        if (hasUnderscorePrefix(labelHead(label)))
            text += QStringLiteral(" - ") + tr("Customized");
        auto *item = new QListWidgetItem(text);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(action->isVisible() ? Qt::Checked : Qt::Unchecked);
        m_list->addItem(item);
        m_actions.append(action);
    }
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            &LanguageTab::langItemSelectionChangedEvent);

    auto *trainingBox = new QGroupBox(tr("Improve your handwriting recognition"), this);
    m_hint = new QLabel(tr("To start a training, please select a language above."), trainingBox);
    m_hint->setWordWrap(true);
    m_trainButton = new QPushButton(tr("&Start training"), trainingBox);
    m_trainButton->setEnabled(false);
    auto *trainingLayout = new QVBoxLayout(trainingBox);
    trainingLayout->addWidget(m_hint);
    trainingLayout->addWidget(m_trainButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(languagesBox);
    layout->addWidget(trainingBox);
    layout->addStretch(10);
}

bool LanguageTab::hasCheckedLanguage() const
{
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->checkState() == Qt::Checked)
            return true;
    }
    return false;
}

void LanguageTab::warnNoLanguage()
{
    Prompt::message(QMessageBox::Warning, this, tr("Inkora Scrivel"),
                    tr("At least one working language must be selected.\nPlease check one "
                       "language in the list."),
                    QMessageBox::Ok, QMessageBox::Ok);
}

void LanguageTab::langItemSelectionChangedEvent()
{
    if (m_list->selectedItems().size() != 1)
        return;
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_actions.size())
        return;
    const QString label = m_actions.at(row)->data().toString();
    if (label.contains(QLatin1String("zh_HK")) || label.contains(QLatin1String("Customized"))
        || hasUnderscorePrefix(labelHead(label))) {
        m_trainButton->setEnabled(false);
        m_trainButton->setText(tr("&Start training"));
    } else {
        m_trainButton->setEnabled(true);
        m_trainButton->setText(tr("&Start training") + QLatin1Char(' ')
                               + m_list->item(row)->text());
    }
    m_hint->hide();
}

void LanguageTab::prepareTrainingMode()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = m_list->row(selected.first());
    if (row >= 0 && row < m_prefs->languageActions.size())
        emit startTrainingMode(m_prefs->languageActions.at(row));
}

void LanguageTab::applyLanguages()
{
    for (int row = 0; row < m_actions.size(); ++row)
        m_actions.at(row)->setVisible(m_list->item(row)->checkState() == Qt::Checked);
    if (m_prefs->activeLanguage && m_prefs->activeLanguage->isVisible())
        return;
    m_prefs->activeLanguage = nullptr;
    for (QAction *action : m_prefs->languageActions) {
        if (action->isVisible())
            action->setChecked(true);
    }
}
