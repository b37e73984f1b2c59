#include "app/commandline.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

struct OptionPattern
{
    CommandLineOption option;
    const char *pattern;
};

const OptionPattern patterns[] = {
    {HideOption, "^(-i|/i|--iconic|--hide)$"},
    {TestOption, "^(-t|/t|--test|--statut)$"},
    {LoginOption, "^(-l|/l|--login|--keyboard)$"},
    {QuitOption, "^(-q|/q|--quit|--exit)$"},
    {SaveSettingsOption, "^(--savesettings)$"},
    {LoadSettingsOption, "^(--loadsettings)$"},
    {SetValuesOption, "^(--set)$"},
    {FullScreenOption, "^(--fullscreen)$"},
    {WindowedOption, "^(--windowed)$"},
    {ShowCursorOption, "^(--showcursor)$"},
};

int matchOption(const QString &argument)
{
    for (const OptionPattern &p : patterns) {
        const QRegularExpression re(QLatin1String(p.pattern),
                                    QRegularExpression::CaseInsensitiveOption);
        if (re.match(argument).hasMatch())
            return p.option;
    }
    return -1;
}

} // namespace

ParsedArguments parseArguments(const QStringList &arguments)
{
    ParsedArguments parsed;
    for (int i = 1; i < arguments.size(); ++i) {
        const int option = matchOption(arguments.at(i));
        if (option < 0)
            continue;
        const bool hasValue = i + 1 < arguments.size();
        switch (option) {
        case SaveSettingsOption:
        case LoadSettingsOption:
            if (!hasValue)
                continue;
            (option == SaveSettingsOption ? parsed.saveSettingsFile : parsed.loadSettingsFile) =
                QFileInfo(arguments.at(++i)).absoluteFilePath();
            break;
        case SetValuesOption:
            if (!hasValue)
                continue;
            if (hasOption(parsed.options, SetValuesOption)) {
                parsed.setValues += QLatin1Char(' ') + arguments.at(++i);
                continue;
            }
            parsed.setValues = arguments.at(++i);
            break;
        default:
            break;
        }
        parsed.options.append(CommandLineOption(option));
    }
    if (parsed.options.isEmpty())
        parsed.options.append(NoOption);
    return parsed;
}

bool hasOption(const QList<CommandLineOption> &options, CommandLineOption option)
{
    return options.contains(option);
}
