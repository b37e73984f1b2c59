#include "modes/isotrainerwritepad.h"

#include "modes/isotrainerupdater.h"
#include "modes/trainingdialog.h"
#include "modes/trainingfile.h"
#include "pad/scrivelscene.h"
#include "pad/scrivelview.h"
#include "platform/prompt.h"
#include "recognition/recognizerconfig.h"
#include "recognition/trainingrecoeventhandler.h"
#include "recognition/trainingrecognizer.h"

#include <QAction>
#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTextEdit>

namespace {

constexpr int LineLength = 10;

// Calls slot only while the binding the connection was made for is current: the queued
// signals of a replaced handler still reach the pad after that handler is gone.
template <typename Sender, typename Signal, typename Receiver, typename Slot>
void connectWhileBound(const int *current, Sender *sender, Signal signal, Receiver *receiver,
                       Slot slot)
{
    const int binding = *current;
    QObject::connect(sender, signal, receiver, [=](const auto &...args) {
        if (*current == binding)
            (receiver->*slot)(args...);
    });
}

} // namespace

const QString IsoTrainerWritepad::Title = QStringLiteral("Inkora Scrivel");

IsoTrainerWritepad::IsoTrainerWritepad(const BehaviourSettings &behaviour, const ItemStyle &style,
                                       WritingDirection direction, QAction *trainingAction,
                                       QWidget *parent)
    : Writepad(IsoTrainerMode, behaviour, style, direction, nullptr, parent),
      m_trainingAction(trainingAction)
{
    setShowArrows(true);
}

IsoTrainerWritepad::~IsoTrainerWritepad()
{
    delete m_cancelButton.data();
    delete m_suspendButton.data();
    delete m_nextSessionButton.data();
    delete m_editDialog.data();
    delete m_trainingRecognizer;
}

void IsoTrainerWritepad::initialize()
{
    initializeSpecificConnections();
    initializeConnections();
    setLayout(buildButtonBar());
}

void IsoTrainerWritepad::initializeSpecificConnections()
{
    setUpdater(new IsoTrainerUpdater(behaviour(), scene(), Updater::alignmentFor(direction())));
}

IsoTrainerUpdater *IsoTrainerWritepad::trainerUpdater() const
{
    return static_cast<IsoTrainerUpdater *>(updater());
}

TrainingRecoEventHandler *IsoTrainerWritepad::trainingHandler() const
{
    return m_trainingRecognizer
               ? qobject_cast<TrainingRecoEventHandler *>(m_trainingRecognizer->handler())
               : nullptr;
}

QWidget *IsoTrainerWritepad::panelWindow() const
{
    return window();
}

QLayout *IsoTrainerWritepad::buildButtonBar()
{
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("You can see a character at the top of each box: "
                                             "write that character in that box."),
                              this));
    m_sessionLabel = new QLabel(this);
    row->addWidget(m_sessionLabel);
    auto *column = new QVBoxLayout;
    column->setContentsMargins(10, 10, 25, 10);
    column->addLayout(row);
    column->addLayout(Writepad::buildButtonBar());
    return column;
}

SvgUITextButton *IsoTrainerWritepad::makeTextButton(const QString &text, const QString &toolTip,
                                                   QLayout *row)
{
    auto *button = new SvgUITextButton(row->parentWidget());
    button->setButtonMode(SvgUIButton::Plain);
    button->setText(text);
    button->setToolTip(toolTip);
    row->addWidget(button);
    return button;
}

void IsoTrainerWritepad::createPadButtons(QLayout *bar, QWidget *)
{
    if (!bar)
        return;
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 4, 0, 0);
    row->setSpacing(3);
    if (auto *box = qobject_cast<QBoxLayout *>(bar))
        box->addLayout(row);
    else
        bar->addItem(row);
    if (!m_cancelButton) {
        m_cancelButton = makeTextButton(QStringLiteral("Cancel"),
                                        QStringLiteral("Cancel training"), row);
        if (m_trainingAction)
            connect(m_cancelButton, &QAbstractButton::clicked, m_trainingAction,
                    &QAction::trigger);
        else
            m_cancelButton->setEnabled(false);
    }
    if (!m_suspendButton) {
        m_suspendButton = makeTextButton(QStringLiteral("Suspend"),
                                         QStringLiteral("Suspend training"), row);
        connect(m_suspendButton, &QAbstractButton::clicked, this,
                &IsoTrainerWritepad::suspendTraining);
    }
    if (!m_nextSessionButton) {
        m_nextSessionButton = makeTextButton(QStringLiteral("Next"),
                                             QStringLiteral("Next training character set"), row);
        // A second click before the next session arrives would skip it.
        connect(m_nextSessionButton, &QAbstractButton::clicked, m_nextSessionButton,
                [button = m_nextSessionButton.data()] { button->setEnabled(false); });
    }
    for (SvgUITextButton *button : {m_cancelButton.data(), m_suspendButton.data(),
                                    m_nextSessionButton.data()})
        button->updateSkinElement(button->text());
    adjustSize();
}

void IsoTrainerWritepad::setConfig()
{
    auto *config = qobject_cast<Config *>(configs()->checkedAction());
    if (!config)
        return;
    emit configStatus(0);
    scene()->setBlocked(true);
    view()->setUpdatesEnabled(false);
    InputWidget::setLanguage(config->language);
    delete m_trainingRecognizer;
    m_trainerBound = false;
    ++m_binding;
    m_trainingRecognizer = new TrainingRecognizer(config->recognizerConfig, QString(), this);
    connect(m_trainingRecognizer, &ThreadedRecognizer::configured, this,
            &IsoTrainerWritepad::bindRecognizer);
    m_trainingRecognizer->start(QThread::LowPriority);
    if (updater())
        updater()->setRecognitionConfig(*config);
    view()->setUpdatesEnabled(true);
    view()->viewport()->update();
}

void IsoTrainerWritepad::bindRecognizer(bool ok)
{
    if (sender() && sender() != m_trainingRecognizer)
        return;
    if (!ok) {
        emit configStatus(2);
        return;
    }
    TrainingRecoEventHandler *handler = trainingHandler();
    if (!handler || m_trainerBound)
        return;
    IsoTrainerUpdater *controller = trainerUpdater();
    connect(controller, &Updater::updateRecognitionResult, handler,
            qOverload<RecognitionResult, QRectF, bool>(
                &TrainingRecoEventHandler::updateRecognitionResultEvent));
    connect(this, &IsoTrainerWritepad::exportTrainingModel, controller,
            qOverload<const RecognitionResult &>(&IsoTrainerUpdater::importModelEvent));
    if (m_nextSessionButton)
        connect(m_nextSessionButton, &QAbstractButton::clicked, handler,
                &TrainingRecoEventHandler::nextSession);
    connectWhileBound(&m_binding, handler, &TrainingRecoEventHandler::continueSuspendedTraining,
                      this, &IsoTrainerWritepad::passByTrainingDialog);
    connect(this, &IsoTrainerWritepad::requestSuspendTraining, handler,
            &TrainingRecoEventHandler::suspendTraining);
    connectWhileBound(&m_binding, handler, &TrainingRecoEventHandler::suspendTrainingDone, this,
                      &IsoTrainerWritepad::suspendTrainingDone);
    connect(this, &IsoTrainerWritepad::doTraining, handler, &TrainingRecoEventHandler::train);
    if (parent() && parent()->metaObject()->indexOfSlot("cancelTrainingMode(QString)") >= 0)
        connect(this, SIGNAL(trainingDone(QString)), parent(), SLOT(cancelTrainingMode(QString)));
    connectWhileBound(&m_binding, handler, &ThreadedRecoEventHandler::result, controller,
                      &IsoTrainerUpdater::recoResultEvent);
    connectWhileBound(&m_binding, handler, &TrainingRecoEventHandler::missingItemNumber, this,
                      &IsoTrainerWritepad::enableTrainerPadButtons);
    connectWhileBound(&m_binding, handler, &TrainingRecoEventHandler::writingSessionReady, this,
                      &IsoTrainerWritepad::readyToWrite);
    connectWhileBound(&m_binding, handler, &TrainingRecoEventHandler::allWritingComplete, this,
                      &IsoTrainerWritepad::proceedTraining);
    connectWhileBound(&m_binding, handler, &TrainingRecoEventHandler::trainingDone, this,
                      &IsoTrainerWritepad::endTraining);
    m_trainerBound = true;
    if (m_nextSessionButton) {
        m_nextSessionButton->setEnabled(true);
        m_nextSessionButton->click();
    } else {
        QMetaObject::invokeMethod(handler, &TrainingRecoEventHandler::nextSession);
    }
    scene()->setBlocked(false);
    emit configStatus(1);
    auto *config = qobject_cast<Config *>(configs()->checkedAction());
    if (!m_editedOnce && config && config->recognizerConfig.userTrainingFile) {
        buildEditDialog();
        m_editedOnce = true;
    }
}

void IsoTrainerWritepad::readyToWrite(int session, int count, const RecognitionResult &r)
{
    // The handler counts sessions from 0.
    const int number = session + 1;
    emit exportTrainingModel(r);
    m_sessionLabel->setText(QStringLiteral("(Session %1/%2)").arg(number).arg(count));
    if (number == count && m_nextSessionButton) {
        m_nextSessionButton->setText(QStringLiteral("Launch training..."));
        m_nextSessionButton->setToolTip(QStringLiteral("Launch the training process"));
        m_nextSessionButton->updateSkinElement(m_nextSessionButton->text());
    }
    view()->setOrigin(0, 0);
    updateButtonsVisibility();
    m_sessionLength = int(r.root().selectedCandidate().label().size());
    // Next and Suspend wait for the handler's count of the new session's unwritten items.
    for (SvgUITextButton *button : {m_nextSessionButton.data(), m_suspendButton.data()}) {
        if (button)
            button->setEnabled(false);
    }
}

void IsoTrainerWritepad::enableTrainerPadButtons(int missing, int written)
{
    if (m_nextSessionButton)
        m_nextSessionButton->setEnabled(missing == 0);
    if (m_suspendButton)
        m_suspendButton->setEnabled(written > 0 || missing < m_sessionLength);
}

void IsoTrainerWritepad::inform(const QString &text)
{
    Prompt::message(QMessageBox::Information, panelWindow(), Title, text, QMessageBox::Ok,
                    QMessageBox::NoButton);
}

void IsoTrainerWritepad::proceedTraining()
{
    inform(QStringLiteral("You have written all the text! The training process will now start. "
                          "Once it is done, %1 will find it easier to read your writing.")
               .arg(Title));
    auto *dialog = new TrainingDialog(m_trainingRecognizer, panelWindow());
    dialog->show();
    emit doTraining();
}

void IsoTrainerWritepad::endTraining(const QString &trainedName)
{
    if (trainedName.isEmpty())
        inform(QStringLiteral("The training is not complete due to an error."));
    else
        inform(QStringLiteral("Your training session was a success! To use your special "
                              "profile, go to the language selection and choose the language "
                              "named \"Customized\""));
    emit trainingDone(trainedName);
}

void IsoTrainerWritepad::suspendTraining()
{
    const QMessageBox::StandardButton answer = Prompt::message(
        QMessageBox::Question, panelWindow(), Title,
        QStringLiteral("Your current training session will be suspended.\n"
                       "Restart the training to go on with it."),
        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    if (answer == QMessageBox::Ok)
        emit requestSuspendTraining();
}

void IsoTrainerWritepad::suspendTrainingDone(bool stored)
{
    if (!stored) {
        inform(QStringLiteral("Your training session could not be saved. "
                              "Your writing is kept: suspend again or go on with the training."));
        return;
    }
    emit trainingDone(QString());
}

void IsoTrainerWritepad::passByTrainingDialog(bool skip)
{
    if (!m_editDialog)
        return;
    if (skip) {
        m_editDialog->close();
        m_editDialog->deleteLater();
        m_editDialog = nullptr;
        return;
    }
    m_editDialog->exec();
}

void IsoTrainerWritepad::buildEditDialog()
{
    TrainingRecoEventHandler *handler = trainingHandler();
    const QLocale locale = language().locale();
    m_trainingLanguage = trainingfile::localeName(locale);
    delete m_editDialog.data();
    m_editDialog = new QDialog(panelWindow());
    m_editDialog->setWindowTitle(QStringLiteral("Edit your training file"));
    auto *label = new QLabel(QStringLiteral("Please edit your training characters for %1:")
                                 .arg(trainingfile::languageLabel(locale)),
                             m_editDialog);
    m_editText = new QTextEdit(m_editDialog);
    m_editText->setLineWrapMode(QTextEdit::FixedColumnWidth);
    m_editText->setLineWrapColumnOrWidth(LineLength);
    m_editText->setPlainText(handler ? handler->trainingText() : QString());
    label->setBuddy(m_editText);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                         m_editDialog);
    connect(buttons, &QDialogButtonBox::accepted, this, &IsoTrainerWritepad::saveTrainingFile);
    connect(buttons, &QDialogButtonBox::accepted, m_editDialog.data(), &QWidget::close);
    if (parent() && parent()->metaObject()->indexOfSlot("cancelTrainingMode()") >= 0)
        connect(buttons, SIGNAL(rejected()), parent(), SLOT(cancelTrainingMode()));
    connect(buttons, &QDialogButtonBox::rejected, m_editDialog.data(), &QWidget::close);
    auto *layout = new QVBoxLayout(m_editDialog);
    layout->addWidget(label);
    layout->addWidget(m_editText);
    layout->addWidget(buttons);
    m_editDialog->hide();
}

void IsoTrainerWritepad::saveTrainingFile()
{
    if (!m_editText)
        return;
    const QString path = trainingfile::path(QLocale(m_trainingLanguage));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write(trainingfile::contents(m_editText->toPlainText()));
    file.close();
    if (m_editDialog) {
        m_editDialog->close();
        m_editDialog->deleteLater();
        m_editDialog = nullptr;
        m_editText = nullptr;
    }
    setConfig();
}
