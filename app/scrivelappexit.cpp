// ScrivelApp: the exit sequence, with the message of an exit code.

#include "app/scrivelapp.h"

#include "app/scrivelmsgbox.h"
#include "windows/imfintegrator.h"

#include <QTimer>

namespace {

const char productName[] = "Inkora Scrivel";

} // namespace

void ScrivelApp::setExitError(int code, const QString &detail)
{
    m_exitCode = code;
    m_exitDetail = detail;
}

QString ScrivelApp::exitMessage(int code, const QString &detail)
{
    const QString product = QString::fromLatin1(productName);
    switch (code) {
    case 1:
        return tr("%1 does not support your operating system environment.\nPlease check "
                  "minimum requirements, and note that earlier versions of %1 may be suitable.")
            .arg(product);
    case 4:
        return tr("Problem loading language resource files.\nReinstall %1 or your language "
                  "packs may solve this problem.")
            .arg(product);
    case 5:
        return tr("Resource loading error:\n%1").arg(detail);
    default:
        return QString();
    }
}

void ScrivelApp::enterExitScrivelState()
{
    m_exitCode = m_previousState == OsCheckState ? 1 : 0;
}

void ScrivelApp::scheduleExitSequence()
{
    QTimer::singleShot(0, this, &ScrivelApp::runExitSequence);
}

void ScrivelApp::runExitSequence()
{
    const QString message = exitMessage(m_exitCode, m_exitDetail);
    if (!message.isEmpty())
        ScrivelMsgBox::critical(nullptr, QString::fromLatin1(productName), message,
                                QMessageBox::Ok, QMessageBox::Ok);
    QTimer::singleShot(m_integrator->exitDelay(m_exitCode != 0), this,
                       &ScrivelApp::lastExitSequencePart);
}

void ScrivelApp::lastExitSequencePart()
{
    if (m_exitCode == 0)
        quit();
    else
        exit(1);
}
