#include "recognition/inputmode.h"

namespace {

struct NamedMode
{
    InputMode mode;
    const char *name;
};

constexpr NamedMode Modes[] = {
    {CursiveMode, "cursive"},
    {IsolatedMode, "isolated"},
    {KeyboardMode, "keyboard"},
    {IsoTrainerMode, "isotrainer"},
    {CalculatorMode, "calculator"},
};

} // namespace

QString inputModeName(int mode)
{
    for (const NamedMode &m : Modes) {
        if (m.mode == mode)
            return QString::fromLatin1(m.name);
    }
    return QStringLiteral("unknown");
}

int inputModeFromName(const QString &name)
{
    for (const NamedMode &m : Modes) {
        if (name == QLatin1String(m.name))
            return m.mode;
    }
    return UnknownMode;
}
