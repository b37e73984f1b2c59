#include "windows/winutils.h"

#include "platform/prompt.h"
#include "platform/winapi.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputMethod>
#include <QSettings>
#include <QWidget>

namespace {

const WCHAR runKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr qint64 maxLocaleLine = 64;

LPCWSTR wide(const QString &text)
{
    return reinterpret_cast<LPCWSTR>(text.utf16());
}

QString programValueName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

QString quotedProgramPath()
{
    return QLatin1Char('"') + QDir::toNativeSeparators(QCoreApplication::applicationFilePath())
           + QLatin1Char('"');
}

QString runValue()
{
    const QString name = programValueName();
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, runKey, wide(name), RRF_RT_REG_SZ, nullptr, nullptr,
                     &size)
            != LSTATUS(ERROR_SUCCESS)
        || size < 2)
        return QString();
    std::vector<char16_t> data(size / 2);
    if (RegGetValueW(HKEY_CURRENT_USER, runKey, wide(name), RRF_RT_REG_SZ, nullptr, data.data(),
                     &size)
        != LSTATUS(ERROR_SUCCESS))
        return QString();
    return QString::fromUtf16(data.data());
}

QString dataFolder(int csidl)
{
    WCHAR path[MAX_PATH] = {};
    QString folder = SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, 0, path))
                         ? QString::fromUtf16(path)
                         : QDir::homePath();
    const QChar separator = QDir::separator();
    return folder + separator + QCoreApplication::organizationName() + separator
           + QCoreApplication::applicationName();
}

// The first line of the interface language file (empty when it cannot be read); false when
// there is no file.
bool readUiLanguageFile(QString *name)
{
    QFile file(applicationPath(CommonDataFolder) + QDir::separator()
               + QLatin1String("ui_lang.txt"));
    if (!file.exists())
        return false;
    if (file.open(QIODevice::ReadOnly))
        *name = QString::fromUtf8(file.readLine(maxLocaleLine)).simplified();
    return true;
}

// True on the NT family from the major version `major` on.
bool isNtVersionAtLeast(DWORD major)
{
    const DWORD version = GetVersion();
    return !(version & 0x80000000u) && (version & 0xFF) >= major;
}

QString productDisplayName()
{
    return QCoreApplication::translate("IMFIntegrator", "Inkora Scrivel");
}

} // namespace

bool isFirstInstance(const QString &name)
{
    const QByteArray mutexName = (QStringLiteral("Local\\") + name).toLocal8Bit();
    HANDLE mutex = CreateMutexA(nullptr, TRUE, mutexName.constData());
    return mutex && GetLastError() == ERROR_SUCCESS;
}

bool setStartWithWindows(bool on)
{
    const QString name = programValueName();
    if (!on) {
        const LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, runKey, wide(name));
        return status == LSTATUS(ERROR_SUCCESS) || status == LSTATUS(ERROR_FILE_NOT_FOUND);
    }
    const QString value = quotedProgramPath() + QStringLiteral(" /i");
    return RegSetKeyValueW(HKEY_CURRENT_USER, runKey, wide(name), REG_SZ, value.utf16(),
                           DWORD(value.size() + 1) * 2)
           == LSTATUS(ERROR_SUCCESS);
}

bool checkStartWithWindows()
{
    const QString value = runValue();
    if (value.isEmpty())
        return false;
    if (!value.startsWith(quotedProgramPath(), Qt::CaseSensitive))
        return setStartWithWindows(true);
    return true;
}

void clearDisabledStyle(QWidget *widget)
{
    HWND window = widgetWindow(widget);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if (style & WS_DISABLED)
        SetWindowLongW(window, GWL_STYLE, style & ~WS_DISABLED);
}

bool isTextCursorShown()
{
    CURSORINFO info{};
    info.cbSize = sizeof(CURSORINFO);
    if (!GetCursorInfo(&info))
        return false;
    const HANDLE ibeam =
        LoadImageW(nullptr, MAKEINTRESOURCEW(OCR_IBEAM), IMAGE_CURSOR, 0, 0, LR_SHARED);
    return ibeam && info.hCursor == ibeam;
}

QString applicationPath(ApplicationPathKind kind)
{
    switch (kind) {
    case ProgramFolder:
    case LibraryFolder:
        return QCoreApplication::applicationDirPath();
    case CommonDataFolder:
        return dataFolder(CSIDL_COMMON_APPDATA);
    case ResourcesFolder:
        return applicationPath(ProgramFolder) + QStringLiteral("/resources");
    case DocumentationFolder:
        return applicationPath(ProgramFolder) + QStringLiteral("/doc/content");
    default:
        return dataFolder(CSIDL_APPDATA);
    }
}

bool isWindows2000OrLater()
{
    return isNtVersionAtLeast(5);
}

bool isWindowsVistaOrLater()
{
    return isNtVersionAtLeast(6);
}

bool isCompositionActive()
{
    if (!isWindowsVistaOrLater())
        return true;
    HMODULE theme = LoadLibraryA("uxtheme.dll");
    if (!theme) {
        showCaution(QT_TRANSLATE_NOOP("IMFIntegrator",
                                      "Caution: Unable to find the library \"uxtheme.dll\""));
        return true;
    }
    using IsCompositionActiveFunction = BOOL (*)();
    auto isActive = reinterpret_cast<IsCompositionActiveFunction>(
        GetProcAddress(theme, "IsCompositionActive"));
    const bool active = !isActive || isActive();
    FreeLibrary(theme);
    return active;
}

void setFloatingWindowFlags(QWidget *widget, bool translucent)
{
    widget->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    const bool clear = translucent || isCompositionActive();
    widget->setAttribute(Qt::WA_TranslucentBackground, clear);
    if (!clear)
        widget->setAttribute(Qt::WA_NoSystemBackground, false);
    widget->setAttribute(Qt::WA_AlwaysShowToolTips);
}

void removeHelpButton(QWidget *widget)
{
    widget->setWindowFlags(widget->windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

void setDialogWindowFlags(QWidget *widget)
{
    widget->setWindowFlags(widget->windowFlags() | Qt::WindowCloseButtonHint
                           | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
}

QLocale uiLocale()
{
    QString name;
    if (!readUiLanguageFile(&name)) {
        QSettings settings(QCoreApplication::organizationName(), nativeSettingsApplicationName());
        name = settings.value(QStringLiteral("UILocale")).toString();
    }
    QLocale locale;
    if (!name.isEmpty() && QLocale(name).name() != QLatin1String("C"))
        locale = QLocale(name);
    if (locale.name() == QLatin1String("C") && qGuiApp)
        locale = QGuiApplication::inputMethod()->locale();
    // A C or POSIX environment asks for no language: the interface is English then.
    if (locale.name() == QLatin1String("C"))
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

QString nativeSettingsApplicationName()
{
    return QCoreApplication::applicationName() + QStringLiteral(" " SCRIVEL_VERSION_GROUP);
}

void showCaution(const char *text)
{
    Prompt::message(QMessageBox::Warning, nullptr, productDisplayName(),
                    QCoreApplication::translate("IMFIntegrator", text), QMessageBox::Ok,
                    QMessageBox::Ok);
}
