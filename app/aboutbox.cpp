#include "app/aboutbox.h"

#include "panel/links.h"
#include "platform/prompt.h"
#include "resources/resourcepaths.h"
#include "windows/winutils.h"

#include <QBitmap>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPixmap>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString splashImage() { return resourcepaths::images() + QLatin1String("splashScreen_zk.png"); }

QString white(const QString &text)
{
    return QStringLiteral("<FONT COLOR=\"#FFFFFF\">") + text + QStringLiteral("</FONT>");
}

QString shopAddress()
{
    return QStringLiteral("shop.tarvell.example");
}

QLabel *centredLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

AboutBox::AboutBox(QWidget *parent)
    : ScrivelDialog(parent)
{
    removeHelpButton(this);
    setWindowTitle(tr("About"));
    setAttribute(Qt::WA_QuitOnClose, false);

    const QPixmap background(splashImage());
    if (!background.isNull()) {
        setMask(background.mask());
        setFixedSize(background.size());
    }
    setObjectName(QStringLiteral("AboutDialog"));
    setStyleSheet(QStringLiteral("QDialog#AboutDialog {      background-image: url(")
                  + splashImage() + QStringLiteral(");      background-repeat: none;}"));
    setWindowModality(Qt::ApplicationModal);

    QLabel *title = centredLabel(white(QStringLiteral("Inkora Scrivel")), this);
    QFont titleFont = title->font();
    titleFont.setPixelSize(11);
    title->setFont(titleFont);

    QLabel *version = centredLabel(
        white(tr("Version %1").arg(QCoreApplication::applicationVersion())), this);
    QFont versionFont = version->font();
    versionFont.setWeight(QFont::Bold);
    version->setFont(versionFont);

    m_links = centredLabel(linksLabelText(readLinks(), !linkFromFile().isEmpty()), this);
    m_links->setTextFormat(Qt::RichText);
    m_links->setOpenExternalLinks(false);
    if (!background.isNull())
        m_links->setFixedWidth(background.width());
    connect(m_links, &QLabel::linkActivated, this,
            [](const QString &link) { Prompt::openUrl(QUrl(link)); });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Horizontal, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 16);
    layout->addStretch(6);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addStretch(1);
    layout->addWidget(m_links);
    layout->addWidget(buttons, 0, Qt::AlignHCenter);
}

QString AboutBox::linksText() const
{
    return m_links->text();
}

QString AboutBox::linksLabelText(const QString &link, bool fromFile)
{
    const QString target = link.toHtmlEscaped();
    const QString shown = fromFile ? target : shopAddress().toHtmlEscaped();
    return QStringLiteral("<html><style>a {color : #55AAFF; }</style><body>")
           + white(tr("<li>Check for available updates at</li>"))
           + QStringLiteral("<a href=\"%1\">%2</a>").arg(target, shown)
           + QStringLiteral("</body></html>");
}
