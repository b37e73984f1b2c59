#pragma once

#include <QList>
#include <QStringList>

// Option codes of the command line.
enum CommandLineOption : int {
    NoOption = 0,
    HideOption = 1,
    TestOption = 3,
    LoginOption = 4,
    QuitOption = 5,
    SaveSettingsOption = 6,
    LoadSettingsOption = 7,
    SetValuesOption = 8,
    FullScreenOption = 9,
    WindowedOption = 10,
    ShowCursorOption = 11
};

struct ParsedArguments
{
    QList<CommandLineOption> options;
    QString saveSettingsFile;
    QString loadSettingsFile;
    QString setValues;
};

// The option codes of the arguments after the program name, each argument matched against
// the options' patterns without regard to case; NoOption alone when none is recognised. The
// save and load file names are kept apart, so that one option cannot overwrite the other's
// file.
ParsedArguments parseArguments(const QStringList &arguments);

bool hasOption(const QList<CommandLineOption> &options, CommandLineOption option);
