// corvelle-screenshot: shows one screen of a real wizard and saves it as a PNG.
//
//   corvelle-screenshot --screen N --out FILE [--cell-height H] [--no-caption]
//                       [--font "Family,points"] [design.Field=value ...] [Control=value ...]
//
// The record starts as a typical first pass leaves it, so screens that read it on
// activation have something to read; design.Field=value changes a field before the
// screen is created. Control=value presets act on the shown screen through its
// widgets: an option or check box is clicked ("1"), a box or list gets the text,
// a button is clicked ("click"), any control takes the focus as by Tab ("focus").
// Message boxes are written to stderr, not shown.

#include "app/Appearance.h"
#include "app/FontMode.h"
#include "app/ScreenContext.h"
#include "app/Services.h"
#include "app/Wizard.h"
#include "app/WizardScreen.h"
#include "core/ShedDesign.h"
#include "host/Host.h"
#include "screens/ScreenFactory.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <cstdio>
#include <map>

using namespace corvelle;

namespace {

class PrintedMessages final : public MessageService {
public:
    void showMessage(const QString &text, MessageForm) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    void showFailure(const QString &text) override { std::fprintf(stderr, "failure: %s\n", qPrintable(text)); }
};

class NoExit final : public ExitService {
public:
    void end(int status) override { std::fprintf(stderr, "the wizard ended with status %d\n", status); }
};

const std::map<QString, QString ShedDesign::*> &designFields()
{
    static const std::map<QString, QString ShedDesign::*> fields{
        {QStringLiteral("ShedWidth"), &ShedDesign::ShedWidth},
        {QStringLiteral("ShedDepth"), &ShedDesign::ShedDepth},
        {QStringLiteral("ShedHeight"), &ShedDesign::ShedHeight},
        {QStringLiteral("FloorType"), &ShedDesign::FloorType},
        {QStringLiteral("BlockRows"), &ShedDesign::BlockRows},
        {QStringLiteral("FloorHeight"), &ShedDesign::FloorHeight},
        {QStringLiteral("JoistType"), &ShedDesign::JoistType},
        {QStringLiteral("StudCenters"), &ShedDesign::StudCenters},
        {QStringLiteral("InnerHeight"), &ShedDesign::InnerHeight},
        {QStringLiteral("StudMaterialLine"), &ShedDesign::StudMaterialLine},
        {QStringLiteral("InWallType"), &ShedDesign::InWallType},
        {QStringLiteral("SheetrockThickness"), &ShedDesign::SheetrockThickness},
        {QStringLiteral("SidingName"), &ShedDesign::SidingName},
        {QStringLiteral("OuterWallType"), &ShedDesign::OuterWallType},
        {QStringLiteral("OuterWallMaterial"), &ShedDesign::OuterWallMaterial},
        {QStringLiteral("SidingWidth"), &ShedDesign::SidingWidth},
        {QStringLiteral("SidingHeight"), &ShedDesign::SidingHeight},
        {QStringLiteral("MainDoorLocation"), &ShedDesign::MainDoorLocation},
        {QStringLiteral("MainDoorWidth"), &ShedDesign::MainDoorWidth},
        {QStringLiteral("MainDoorHeight"), &ShedDesign::MainDoorHeight},
        {QStringLiteral("RampLocation"), &ShedDesign::RampLocation},
        {QStringLiteral("RoofType"), &ShedDesign::RoofType},
        {QStringLiteral("Trusses"), &ShedDesign::Trusses},
        {QStringLiteral("ShadingMode"), &ShedDesign::ShadingMode},
    };
    return fields;
}

// A 10 by 20 foot shed on a wooden floor frame with a front door, as a first pass
// through the wizard with mostly initial choices stores it.
void typicalDesign(ShedDesign &d)
{
    d.ShedWidth = QStringLiteral("10");
    d.ShedDepth = QStringLiteral("20");
    d.ShedHeight = QStringLiteral("8");
    d.FloorType = QStringLiteral("2");
    d.BlockRows = QStringLiteral("0");
    d.FloorHeight = QStringLiteral("0");
    d.JoistType = QStringLiteral("1");
    d.StudCenters = QStringLiteral("16");
    d.InnerHeight = QStringLiteral("8 ");
    d.StudMaterialLine = QStringLiteral("2x4 Studs for walls");
    d.MainDoorLocation = QStringLiteral("Front");
    d.MainDoorWidth = QStringLiteral("4");
    d.MainDoorHeight = QStringLiteral("6");
    d.RampLocation = QStringLiteral("Front");
    d.RoofType = QStringLiteral("Gable");
}

bool applyControlPreset(WizardScreen &screen, const QString &name, const QString &value)
{
    QWidget *control = screen.findChild<QWidget *>(name);
    if (!control)
        return false;
    if (value == u"focus") {
        QApplication::setActiveWindow(&screen);
        control->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (auto *button = qobject_cast<QPushButton *>(control)) {
        if (value == u"click")
            button->click();
    } else if (auto *choice = qobject_cast<QAbstractButton *>(control)) {
        if (choice->isChecked() != (value == u"1"))
            choice->click();
    } else if (auto *list = qobject_cast<QComboBox *>(control)) {
        const int item = list->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (item >= 0)
            list->setCurrentIndex(item);
        else
            list->setEditText(value);
    } else if (auto *box = qobject_cast<QLineEdit *>(control)) {
        box->setText(value);
    } else {
        return false;
    }
    return true;
}

// The window as the desktop would frame it: a title bar with the caption over the client area.
QImage withCaption(const QImage &client, const QString &caption)
{
    QFont font = QApplication::font();
    font.setBold(true);
    const int barHeight = QFontMetrics(font).height() + 10;
    constexpr int border = 3;
    QImage framed(client.width() + 2 * border, client.height() + barHeight + border, QImage::Format_RGB32);
    framed.fill(QColor(192, 192, 192));
    QPainter painter(&framed);
    QLinearGradient title(0, 0, framed.width(), 0);
    title.setColorAt(0, QColor(0, 0, 128));
    title.setColorAt(1, QColor(16, 132, 208));
    painter.fillRect(QRect(border, border, client.width(), barHeight - border), title);
    painter.setPen(Qt::white);
    painter.setFont(font);
    painter.drawText(QRect(border + 6, border, client.width() - 12, barHeight - border),
                     Qt::AlignVCenter | Qt::AlignLeft | Qt::TextDontClip, caption);
    painter.drawImage(border, barHeight, client);
    return framed;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvelle-screenshot"));
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Saves one wizard screen as a PNG."));
    parser.addHelpOption();
    const QCommandLineOption screenOption(QStringLiteral("screen"), QStringLiteral("Screen number, 1 to 13."),
                                          QStringLiteral("N"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("PNG file to write."),
                                       QStringLiteral("FILE"));
    const QCommandLineOption cellOption(QStringLiteral("cell-height"),
                                        QStringLiteral("Font cell height the probe sees (17 or more: Large Fonts)."),
                                        QStringLiteral("H"));
    const QCommandLineOption bareOption(QStringLiteral("no-caption"), QStringLiteral("Client area only."));
    const QCommandLineOption fontOption(QStringLiteral("font"),
                                        QStringLiteral("Font to lay the screens out with, as \"Family,points\"."),
                                        QStringLiteral("FONT"));
    parser.addOptions({screenOption, outOption, cellOption, bareOption, fontOption});
    parser.addPositionalArgument(QStringLiteral("presets"), QStringLiteral("design.Field=value or Control=value"),
                                 QStringLiteral("[presets...]"));
    parser.process(app);

    UseWizardAppearance(app);
    if (parser.isSet(fontOption)) {
        QFont font;
        if (!font.fromString(parser.value(fontOption))) {
            std::fprintf(stderr, "corvelle-screenshot: cannot read the font %s\n", qPrintable(parser.value(fontOption)));
            return 2;
        }
        QApplication::setFont(font);
    }

    bool ok = false;
    const int number = parser.value(screenOption).toInt(&ok);
    if (!ok || number < 1 || number > 13 || !parser.isSet(outOption)) {
        std::fprintf(stderr, "corvelle-screenshot: give --screen 1..13 and --out FILE\n");
        return 2;
    }
    const bool cellGiven = parser.isSet(cellOption);
    const int cellHeight = parser.value(cellOption).toInt();

    ShedDesign design;
    typicalDesign(design);
    QList<QPair<QString, QString>> controlPresets;
    for (const QString &preset : parser.positionalArguments()) {
        const qsizetype equals = preset.indexOf(u'=');
        if (equals <= 0) {
            std::fprintf(stderr, "corvelle-screenshot: preset %s is not NAME=VALUE\n", qPrintable(preset));
            return 2;
        }
        const QString name = preset.left(equals);
        const QString value = preset.mid(equals + 1);
        if (name.startsWith(u"design.")) {
            const auto field = designFields().find(name.mid(7));
            if (field == designFields().end()) {
                std::fprintf(stderr, "corvelle-screenshot: no record field %s\n", qPrintable(name));
                return 2;
            }
            design.*(field->second) = value;
        } else {
            controlPresets.append({name, value});
        }
    }

    PrintedMessages messages;
    NoExit exit;
    const FontProbe fonts = cellGiven ? FontProbe([cellHeight] { return cellHeight; }) : FontProbe();
    Wizard wizard(exit, messages);
    ScreenContext context{design, wizard, messages, fonts, QDir::tempPath(),
                          []() -> std::unique_ptr<Host> { return nullptr; }};
    wizard.setFactory([&context](ScreenId id) { return MakeScreen(id, context); });

    WizardScreen *screen = nullptr;
    wizard.guard([&] { screen = &wizard.show(static_cast<ScreenId>(number)); });
    if (!screen || wizard.hasEnded())
        return 1;
    for (const auto &[name, value] : controlPresets) {
        wizard.guard([&] {
            if (!applyControlPreset(*screen, name, value))
                std::fprintf(stderr, "corvelle-screenshot: screen%d has no control %s\n", number, qPrintable(name));
        });
    }
    // Presets may have moved on to another screen (a Next click): grab what is visible now.
    for (int n = 1; n <= 13; ++n) {
        WizardScreen *candidate = wizard.find(static_cast<ScreenId>(n));
        if (candidate && candidate->isVisible())
            screen = candidate;
    }
    QApplication::processEvents();

    const QImage client = screen->grab().toImage();
    const QImage image = parser.isSet(bareOption) ? client : withCaption(client, screen->windowTitle());
    if (!image.save(parser.value(outOption), "PNG")) {
        std::fprintf(stderr, "corvelle-screenshot: cannot write %s\n", qPrintable(parser.value(outOption)));
        return 1;
    }
    return 0;
}
