#include "recognition/configwriter.h"

#include "recognition/configreader.h"
#include "recognition/configrepository.h"
#include "recognition/recognizerconfig.h"
#include "windows/wholefilewriter.h"

#include <QActionGroup>
#include <QBuffer>
#include <QXmlStreamReader>

ConfigWriter::ConfigWriter(const QString &resourceFile, const QString &localeName,
                           const QString &userName, const QString &baseLanguageName)
    : m_resourceFile(resourceFile), m_localeName(localeName), m_userName(userName),
      m_baseLanguageName(baseLanguageName)
{
    m_writer.setAutoFormatting(true);
}

bool ConfigWriter::saveConfigs(QActionGroup *group)
{
    LanguageEntry base;
    base.setLocale(QLocale(m_localeName));
    base.setName(m_baseLanguageName);
    QXmlStreamReader reader;
    loadConfigs(reader, base, IsolatedMode, QString(), group);
    if (group->actions().isEmpty()) {
        qWarning("Language %s has no isolated configurations to train",
                 qUtf8Printable(m_baseLanguageName));
        return false;
    }
    const QString path =
        userConfigFile(QLatin1Char('_') + m_userName + QLatin1Char(' ') + m_localeName);
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    m_writer.setDevice(&document);
    writeConfigs(group);
    m_writer.setDevice(nullptr);
    if (m_writer.hasError() || !writeWholeFile(path, document.data())) {
        qWarning("Configuration document %s cannot be written", qUtf8Printable(path));
        return false;
    }
    return true;
}

void ConfigWriter::writeConfigs(QActionGroup *group)
{
    m_writer.writeStartDocument();
    m_writer.writeDTD(QStringLiteral("<!DOCTYPE zkInkoraScrivelConfig>"));
    m_writer.writeStartElement(QStringLiteral("scrivelconfig"));
    m_writer.writeAttribute(QStringLiteral("version"), configDocumentVersion());
    m_writer.writeAttribute(QStringLiteral("lang"), m_localeName);
    m_writer.writeAttribute(QStringLiteral("resourcesBaseName"), m_baseLanguageName);
    const QList<QAction *> actions = group->actions();
    for (QAction *action : actions) {
        const auto *config = qobject_cast<Config *>(action);
        m_writer.writeStartElement(QStringLiteral("config"));
        m_writer.writeAttribute(QStringLiteral("label"), action->text());
        m_writer.writeAttribute(QStringLiteral("type"),
                                inputModeName(config ? config->mode : UnknownMode));
        m_writer.writeTextElement(QStringLiteral("resource"), m_resourceFile);
        m_writer.writeEndElement();
        group->removeAction(action);
        delete action;
    }
    m_writer.writeEndElement();
    m_writer.writeEndDocument();
}
