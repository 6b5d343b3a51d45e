#include "app/startup.h"

#include "app/aboutbox.h"
#include "app/mainwindow.h"
#include "app/programmingdialog.h"
#include "app/splashwindow.h"
#include "editor/channeleditor.h"
#include "editor/confirmationdialog.h"
#include "editor/tonelistbox.h"
#include "model/productnames.h"
#include "sim/demoimage.h"
#include "sim/virtualradio.h"
#include "storage/backups.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

// Fills a few channels so a picture of the window shows a working grid, in
// the language loaded (the built-in Chinese texts when none was).
void fillSampleChannels(ChannelTable &table)
{
    if (table.valueTexts().offText.isEmpty())
        table.setValueTexts(ChineseValueTexts);
    const ValueTexts values = table.valueTexts();
    const char *const sample[][4] = {
        {"438.50000", "67.0", "438.50000", "67.0"},
        {"439.12500", "", "431.52500", ""},
        {"446.00625", "", "446.00625", ""},
        {"446.01875", "D023N", "446.01875", "D023N"},
        {"446.03125", "", "446.03125", ""},
        {"433.07500", "88.5", "433.07500", "88.5"},
        {"435.00000", "", "", ""},
        {"462.56250", "", "467.56250", "127.3"},
        {"462.58750", "", "462.58750", ""},
        {"409.75000", "D754I", "409.75000", "D754I"},
    };
    int row = 1;
    for (const auto &ch : sample) {
        table.setCell(ChannelTable::ColRxFreq, row, QString::fromLatin1(ch[0]));
        table.applyNewChannelDefaults(row);
        if (*ch[1])
            table.setCell(ChannelTable::ColRxTone, row, QString::fromLatin1(ch[1]));
        table.setCell(ChannelTable::ColTxFreq, row, QString::fromLatin1(ch[2]));
        if (*ch[3])
            table.setCell(ChannelTable::ColTxTone, row, QString::fromLatin1(ch[3]));
        ++row;
    }
    table.setCell(ChannelTable::ColPower, 3, values.lowText);
    table.setCell(ChannelTable::ColBandWidth, 3, values.narrowText);
    table.setCell(ChannelTable::ColBusyLock, 6, values.onText);
    table.setCell(ChannelTable::ColScan, 7, values.offText);
}

// Waits until the splash has gone, shows the asked view, saves a picture of
// it and ends the event loop.
void takeScreenshot(Program &program, const QString &file, const QString &view)
{
    MainWindow *form = program.mainWindow.get();
    if (view == QLatin1String("options"))
        form->showOptionsPage();
    fillSampleChannels(form->radioData().table);

    auto grab = [&program, form, file, view] {
        QWidget *target = form;
        ToneListBox *toneList = form->editor()->toneList();
        if (view == QLatin1String("about")) {
            form->showAboutBox();
            target = program.aboutBox.get();
        } else if (view == QLatin1String("edit")) {
            // The frequency edit box open on channel 3's transmit frequency.
            form->editor()->makeCurrent(ChannelTable::ColTxFreq, 3);
        } else if (view == QLatin1String("tone")) {
            // The tone list dropped down on channel 4's receive tone.
            form->editor()->makeCurrent(ChannelTable::ColRxTone, 4);
            toneList->showPopup();
        }
        QTimer::singleShot(400, target, [target, file, toneList] {
            QPixmap picture = target->grab();
            // The drop-down is a window of its own: take it from the screen.
            if (toneList->view()->isVisible()) {
                const QRect area =
                    target->frameGeometry().united(toneList->view()->window()->frameGeometry());
                picture = target->screen()->grabWindow(0, area.x(), area.y(), area.width(),
                                                       area.height());
            }
            const bool saved = picture.save(file);
            QCoreApplication::exit(saved ? 0 : 1);
        });
    };
    // The splash hides on its next tick.
    SplashWindow *splash = program.splashWindow.get();
    if (splash->isVisible())
        QObject::connect(splash->closeTimer(), &QTimer::timeout, form, grab,
                         Qt::SingleShotConnection);
    else
        grab();
}

} // namespace

Program::Program() = default;
Program::~Program() = default;

std::unique_ptr<Program> createProgram()
{
    QGuiApplication::setApplicationDisplayName(ProductNames::Program);
    // The command-line program's name too: both keep their backups in one
    // data folder.
    QCoreApplication::setApplicationName(Backups::ApplicationName);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/radio-64.png")));

    auto program = std::make_unique<Program>();
    program->mainWindow = std::make_unique<MainWindow>();
    program->splashWindow = std::make_unique<SplashWindow>();
    program->aboutBox = std::make_unique<AboutBox>();
    program->programmingDialog = std::make_unique<ProgrammingDialog>();
    program->confirmationDialog = std::make_unique<ConfirmationDialog>();
    program->mainWindow->setWindows(program->splashWindow.get(), program->aboutBox.get(),
                                    program->programmingDialog.get(),
                                    program->confirmationDialog.get());
    return program;
}

bool attachDemoRadio(Program &program, const DemoOptions &options, QString *error)
{
    auto radio = std::make_unique<VirtualRadio>();
    radio->writeMemory(0, demoMemoryImage());
    radio->setLineRate(options.lineRate);
    if (!radio->setFaults(options.faults, error) || !radio->open(error))
        return false;
    program.mainWindow->useDemoRadio(radio->portName());
    program.demoRadio = std::move(radio);
    return true;
}

int runProgram(QApplication &app, const GuiCommandLine &line)
{
    std::unique_ptr<Program> program = createProgram();
    if (line.demo) {
        DemoOptions demo;
        demo.faults = line.demoFaults;
        QString error;
        if (!attachDemoRadio(*program, demo, &error)) {
            std::fprintf(stderr, "qb380: no demo radio: %s\n", qUtf8Printable(error));
            return 1;
        }
    }
    program->mainWindow->show();
    if (!line.screenshotFile.isEmpty()) {
        takeScreenshot(*program, line.screenshotFile, line.screenshotView);
    } else if (!line.files.isEmpty()) {
        // Opened once the event loop runs, as a file dropped onto the window
        // is: a message about it then has a window to stand on.
        MainWindow *window = program->mainWindow.get();
        const QString file = QFileInfo(line.files.first()).absoluteFilePath();
        QTimer::singleShot(0, window, [window, file] { window->openAnyFile(file); });
    }
    return app.exec();
}
