// Renders the skin's panel layout to PNG files, so that the artwork can be judged:
// left to right and right to left at 100 % and 200 %, the floating menu and a sheet of
// button states.
//   scrivel_skinrender [output folder]

#include "skin/skinreader.h"
#include "skin/svguibutton.h"
#include "skin/svguitextbutton.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

namespace {

const QSize panelSize(560, 210);

// A desktop-like backdrop, so that the transparent corners show.
void paintBackdrop(QImage &image)
{
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, image.height() / image.devicePixelRatio());
    gradient.setColorAt(0, QColor(0x5B, 0x6E, 0x8C));
    gradient.setColorAt(1, QColor(0x3A, 0x48, 0x5E));
    painter.fillRect(QRectF(QPointF(), image.deviceIndependentSize()), gradient);
}

void hover(QWidget *widget)
{
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(widget, &enter);
}

// The writing surface that the panel puts into the input layout.
QWidget *writingArea()
{
    auto *area = new QWidget;
    area->setAutoFillBackground(true);
    QPalette palette = area->palette();
    palette.setColor(QPalette::Window, Qt::white);
    area->setPalette(palette);
    return area;
}

bool renderPanel(Qt::LayoutDirection direction, qreal scale, const QString &path)
{
    QFile file(QStringLiteral(":/data/skin/skin.xml"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    SkinReader reader;
    if (!reader.readSkinDocument(&file, QStringLiteral(":/data/images"), direction)) {
        std::fprintf(stderr, "%s\n", qPrintable(reader.errorDetail(file.fileName())));
        return false;
    }
    // The reader mirrors the grids itself, so the host keeps left-to-right layouts; the
    // pieces draw their mirrored artwork unless they chose a direction of their own.
    QWidget panel;
    panel.setLayoutDirection(Qt::LeftToRight);
    panel.setLayout(reader.layout(QStringLiteral("mainLayout")));
    for (QWidget *piece : panel.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!piece->testAttribute(Qt::WA_SetLayoutDirection))
            piece->setLayoutDirection(direction);
    }
    auto *input = qobject_cast<QGridLayout *>(reader.layout(QStringLiteral("inputLayout")));
    input->addWidget(writingArea(), 0, 0);

    const bool rtl = direction == Qt::RightToLeft;
    const QStringList hidden = {rtl ? "cursiveLRModeButton" : "cursiveRLModeButton",
                                rtl ? "isoLRModeButton" : "isoRLModeButton",
                                "pinyinModeButton", "keyboardKoModeButton"};
    for (const QString &name : hidden)
        reader.widget(name)->hide();
    SvgUIButton *current = reader.button(rtl ? "cursiveRLModeButton" : "cursiveLRModeButton");
    current->setCheckable(true);
    current->setChecked(true);
    hover(reader.button(rtl ? "isoRLModeButton" : "isoLRModeButton"));
    hover(reader.button(QStringLiteral("menuButton")));
    reader.button(QStringLiteral("calculatorFormulaModeButton"))->setEnabled(false);

    auto *language = new SvgUITextButton;
    language->updateSkinElement(rtl ? QStringLiteral("Ar") : QStringLiteral("En"));
    auto *languages = new QHBoxLayout(reader.widget(QStringLiteral("langButtonsBar")));
    languages->setContentsMargins(4, 4, 4, 3);
    languages->addWidget(language);

    panel.resize(panelSize);
    panel.show();
    QImage image(panelSize * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    paintBackdrop(image);
    panel.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image.save(path);
}

// The floating menu of full-screen writing: its bar of buttons over the write-button area.
bool renderFloatingMenu(qreal scale, const QString &path)
{
    QFile file(QStringLiteral(":/data/skin/skin.xml"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    SkinReader reader;
    if (!reader.readSkinDocument(&file, QStringLiteral(":/data/images"), Qt::LeftToRight))
        return false;
    QWidget menu;
    menu.setLayout(reader.layout(QStringLiteral("floatingLayout")));
    reader.widget(QStringLiteral("keyboardBackground"))->hide();
    auto *bar = new QHBoxLayout(reader.widget(QStringLiteral("floatingMenu")));
    bar->setContentsMargins(8, 3, 0, 3);
    bar->setSpacing(2);
    for (const char *element : {"mini_write", "mini_select", "clear", "magic", "mini_fullscreen",
                                "mini_close"}) {
        auto *button = new SvgUIButton;
        button->resolveStateElement(QStringLiteral("skin"), QLatin1String(element), QString());
        button->setFixedSize(button->sizeHint());
        bar->addWidget(button);
    }
    bar->addStretch();
    menu.resize(menu.sizeHint().width(), 42 + 40 + 2);
    menu.show();
    QImage image(menu.size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    paintBackdrop(image);
    menu.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image.save(path);
}

// Every state of the title, mode and text buttons, one row per state.
bool renderStates(qreal scale, const QString &path)
{
    QWidget sheet;
    auto *grid = new QGridLayout(&sheet);
    grid->setSpacing(6);
    sheet.setAutoFillBackground(true);
    QPalette palette = sheet.palette();
    palette.setColor(QPalette::Window, QColor(0xF2, 0xF4, 0xF7));
    sheet.setPalette(palette);
    struct Look
    {
        const char *file, *element, *clip;
    };
    const Look looks[] = {
        {"skin", "close", ""},          {"skin", "fullScreen", ""},
        {"skin", "setup", ""},          {"skin", "send", ""},
        {"skin", "ar_send", ""},        {"skin", "mode_buttons", "mode_cursive_lr"},
        {"skin", "mode_buttons", "mode_iso_lr"}, {"skin", "mode_buttons", "mode_calc"},
        {"skin", "onglet", ""},         {"skin", "mini_write", ""},
        {"skin", "magic", ""},          {"buttons", "clear", ""},
        {"buttons", "norm_kbd", ""},    {"buttons", "simple_button_70", ""},
        {"buttons", "combo_button", ""},
    };
    // Normal, hovered, checked, hovered and checked, disabled.
    for (int state = 0; state < 5; ++state) {
        int column = 0;
        for (const Look &look : looks) {
            auto *button = new SvgUIButton;
            button->resolveStateElement(look.file, look.element, look.clip);
            button->setFixedSize(button->sizeHint());
            button->setCheckable(true);
            button->setChecked(state == 2 || state == 3);
            button->setEnabled(state != 4);
            grid->addWidget(button, state, column++, Qt::AlignCenter);
            if (state == 1 || state == 3)
                hover(button);
        }
    }
    sheet.adjustSize();
    sheet.show();
    QImage image(sheet.size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    sheet.render(&image);
    return image.save(path);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    bool ok = true;
    for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        for (int percent : {100, 200}) {
            const QString name = QStringLiteral("skin-%1-%2.png")
                                     .arg(direction == Qt::LeftToRight ? "ltr" : "rtl")
                                     .arg(percent);
            ok = renderPanel(direction, percent / 100.0, out.filePath(name)) && ok;
        }
    }
    ok = renderStates(2, out.filePath(QStringLiteral("skin-states-200.png"))) && ok;
    ok = renderFloatingMenu(2, out.filePath(QStringLiteral("skin-floating-200.png"))) && ok;
    return ok ? 0 : 1;
}
