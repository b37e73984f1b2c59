// Renders the on-screen keyboard in each shipped layout into PNG files, with
// the layout buttons below it as the panel's button bar shows them and, above
// it, the strip of the panel's mode buttons where a Korean composition shows.

#include "keyboard/scrivelkeyboard.h"
#include "keyboard/scrivelkeyboardbutton.h"
#include "pad/referencefont.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <cstdio>

namespace {

struct View {
    const char *locale;
    // Keys clicked before the picture is taken; ":math" switches to the math layout.
    QStringList clicks;
    const char *name;
};

const QList<View> views = {
    {"en_US", {}, "en_US"},
    {"en_US", {"Shift"}, "en_US-shift"},
    {"en_US", {":math"}, "en_US-math"},
    {"fr_FR", {}, "fr_FR"},
    {"fr_FR", {"^"}, "fr_FR-dead_circumflex"},
    {"ko_KR", {}, "ko_KR"},
    {"ko_KR", {"Shift"}, "ko_KR-shift"},
    {"ko_KR", {"Han"}, "ko_KR-latin"},
    {"ko_KR", {"ㄷ", "ㅏ", "ㄹ", "ㄱ"}, "ko_KR-composing"},
};

LanguageEntry language(const QString &locale)
{
    LanguageEntry entry;
    entry.setLocale(QLocale(locale));
    entry.setName(locale);
    return entry;
}

bool click(ScrivelKeyboard *keyboard, const QString &label)
{
    if (label == QLatin1String(":math")) {
        keyboard->switchToMathKb();
        if (QAbstractButton *math = keyboard->mathLayoutButton())
            math->setChecked(true);
        return true;
    }
    for (ScrivelKeyboardButton *button : keyboard->buttons(keyboard->currentLayoutId())) {
        if (button->accessibleName() == label) {
            button->click();
            return true;
        }
    }
    return false;
}

bool render(const View &view, const QSize &size, const QString &folder)
{
    QWidget host;
    auto *koreanMode = new QWidget(&host);
    koreanMode->setObjectName(QStringLiteral("keyboardKoModeButton"));
    koreanMode->setFixedHeight(24);
    koreanMode->hide();
    auto *keyboard = new ScrivelKeyboard(BehaviourSettings(), ItemStyle(), &host);
    auto *bar = new QWidget(&host);
    auto *layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(koreanMode);
    layout->addWidget(keyboard, 1);
    layout->addWidget(bar);
    keyboard->setLanguage(language(QString::fromLatin1(view.locale)));
    auto *barLayout = new QHBoxLayout(bar);
    keyboard->createPadButtons(barLayout, &host);
    barLayout->addStretch(1);
    host.resize(size);
    host.show();
    QApplication::processEvents();
    for (const QString &label : view.clicks) {
        if (!click(keyboard, label)) {
            std::fprintf(stderr, "%s: no key \"%s\"\n", view.name, qPrintable(label));
            return false;
        }
    }
    QApplication::processEvents();
    const QString file = QDir(folder).filePath(QStringLiteral("keyboard-%1.png").arg(view.name));
    if (!host.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setFamilies(referenceFontFamilies());
    QApplication::setFont(font);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Renders the on-screen keyboard of each layout to keyboard-<name>.png."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("width"), QStringLiteral("Width in pixels."),
                      QStringLiteral("pixels"), QStringLiteral("800")});
    parser.addOption({QStringLiteral("height"), QStringLiteral("Height in pixels."),
                      QStringLiteral("pixels"), QStringLiteral("260")});
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Output folder."));
    parser.process(app);

    const QStringList arguments = parser.positionalArguments();
    bool widthOk = false, heightOk = false;
    const QSize size(parser.value(QStringLiteral("width")).toInt(&widthOk),
                     parser.value(QStringLiteral("height")).toInt(&heightOk));
    if (arguments.size() != 1 || !widthOk || !heightOk || size.width() < 100
        || size.height() < 60 || size.width() > 4000 || size.height() > 4000) {
        std::fprintf(stderr, "usage: %s [--width 100..4000] [--height 60..4000] <folder>\n",
                     argv[0]);
        return 2;
    }
    if (!QDir().mkpath(arguments.first())) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(arguments.first()));
        return 1;
    }
    bool rendered = true;
    for (const View &view : views)
        rendered = render(view, size, arguments.first()) && rendered;
    return rendered ? 0 : 1;
}
