#include "cli/clisupport.h"

#include "i18n/languageswitch.h"
#include "model/programfolder.h"
#include "model/radiodata.h"
#include "radio/seriallink.h"
#include "storage/appsettings.h"
#include "storage/settingsfile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#endif

void printLine(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

void printError(const QString &text)
{
    printLine(QStringLiteral("qb380-cli: ") + text);
}

int parseVerbArguments(QCommandLineParser &parser, const QStringList &args)
{
    const QCommandLineOption help = parser.addHelpOption();
    if (!parser.parse(args)) {
        printError(parser.errorText());
        printLine(QStringLiteral("Try '%1 --help'.").arg(args.value(0)));
        return ExitUsage;
    }
    if (parser.isSet(help)) {
        // The parser names the program by its path; the verb belongs there.
        QString text = parser.helpText();
        const QString program = QCoreApplication::arguments().value(0);
        const qsizetype at = text.indexOf(program);
        if (at >= 0)
            text.replace(at, program.size(), args.value(0));
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return ExitOk;
    }
    return -1;
}

QString resolvePort(const QString &port, const SettingsFile &settings)
{
    static const QRegularExpression entry(QStringLiteral("^COM([1-4])$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = entry.match(port.trimmed());
    if (!match.hasMatch())
        return port;
    const int n = match.captured(1).toInt();
    return portDeviceName(n, loadAppSettings(settings).portDevices[n - 1]);
}

void prepareData(RadioData &data, const SettingsFile &settings)
{
    MessageSlots messages;
    if (!loadLanguage(QStringLiteral("eng"), data, messages))
        printError(QStringLiteral("no English language library in %1; the built-in texts are used")
                       .arg(programFolder()));
    fillBandRanges(data.bands, loadAppSettings(settings).bandLists);
}

ProgressBar::ProgressBar(const QString &label, int maximum)
    : m_label(label), m_maximum(qMax(1, maximum)), m_enabled(isatty(fileno(stderr)))
{}

ProgressBar::~ProgressBar()
{
    finish();
}

void ProgressBar::show(int value)
{
    if (!m_enabled)
        return;
    constexpr int Width = 40;
    const int done = qBound(0, value, m_maximum) * Width / m_maximum;
    const QString bar = QString(done, QLatin1Char('#')) + QString(Width - done, QLatin1Char('.'));
    const QString line =
        QStringLiteral("\r%1 [%2] %3/%4").arg(m_label, bar).arg(value, 3).arg(m_maximum);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    m_drawn = true;
}

void ProgressBar::finish()
{
    if (m_drawn)
        std::fputc('\n', stderr);
    m_drawn = false;
}
