#include "modes/trainingdialog.h"

#include "recognition/trainingrecoeventhandler.h"
#include "recognition/trainingrecognizer.h"

#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>

TrainingDialog::TrainingDialog(TrainingRecognizer *recognizer, QWidget *parent)
    : QDialog(parent), m_bar(new QProgressBar(this))
{
    auto *form = new QFormLayout(this);
    m_bar->setMinimum(0);
    form->addRow(new QLabel(QStringLiteral("Please wait during the training process"), this));
    form->addRow(m_bar);
    if (auto *handler = recognizer
                            ? qobject_cast<TrainingRecoEventHandler *>(recognizer->handler())
                            : nullptr) {
        connect(handler, &TrainingRecoEventHandler::trainProgressBound, m_bar,
                &QProgressBar::setMaximum);
        connect(handler, &TrainingRecoEventHandler::trainProgressValue, m_bar,
                &QProgressBar::setValue);
        connect(handler, &TrainingRecoEventHandler::trainingDone, this, &QWidget::close);
    }
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint
                    | Qt::MSWindowsFixedSizeDialogHint)
                   & ~(Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint
                       | Qt::WindowSystemMenuHint));
    setWindowTitle(QStringLiteral("Training in progress..."));
    setModal(true);
}
