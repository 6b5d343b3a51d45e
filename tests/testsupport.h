#pragma once

// Helpers the test programs share: files and fixtures, a program folder of
// the test's own, the check of the locale a run has, and the channel
// table's cells as the tests write them.
// Byte builders for radio memory, and rowCells() to read a row back, are in
// testbytes.h.

#include "model/channeltable.h"
#include "model/frequency.h"
#include "model/functionsettings.h"
#include "model/programfolder.h"
#include "model/valuetexts.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <type_traits>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

// ---- Windows ----------------------------------------------------------------

// A window's caption as the user sees it: the modified mark's placeholder
// "[*]" shown as "*" while the window is modified, else left out.
template <typename Window> QString shownCaption(const Window &window)
{
    if constexpr (std::is_pointer_v<Window>) {
        return shownCaption(*window);
    } else {
        QString caption = window.windowTitle();
        caption.replace(QStringLiteral("[*]"),
                        window.isWindowModified() ? QStringLiteral("*") : QString());
        return caption;
    }
}

// ---- Files ------------------------------------------------------------------

// The whole file, or nothing when it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the file anew; a test cannot go on without it.
inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A file of tests/data.
inline QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(QB_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

// The lines of a text without their line ends (LF or CR LF); nothing after
// the last line end.
inline QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

#ifdef Q_OS_UNIX
// While it lives, no file this process writes grows beyond `bytes`: a write
// past it fails with EFBIG, as on a full disk, instead of ending the process
// with SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (getrlimit(RLIMIT_FSIZE, &m_previous) != 0)
            return;
        rlimit limited = m_previous;
        limited.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        if (m_set)
            setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isSet() const { return m_set; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = SIG_DFL;
    bool m_set = false;
};
#endif

// ---- The program's folder -------------------------------------------------

// A temporary folder that is the program's folder while it lives (where the
// language libraries and the settings file are looked for). A test puts the
// files it needs into it under the names the program looks for.
class ProgramFolder
{
public:
    ProgramFolder()
    {
        if (m_dir.isValid())
            setProgramFolder(m_dir.path());
    }
    ~ProgramFolder() { setProgramFolder(QString()); }
    ProgramFolder(const ProgramFolder &) = delete;
    ProgramFolder &operator=(const ProgramFolder &) = delete;

    bool isValid() const { return m_dir.isValid(); }

    // The folder, or a file in it.
    QString path(const QString &fileName = {}) const
    {
        return fileName.isEmpty() ? m_dir.path() : m_dir.filePath(fileName);
    }

    bool write(const QString &fileName, const QByteArray &content) const
    {
        QFile file(path(fileName));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }
    bool copy(const QString &source, const QString &fileName) const
    {
        return QFile::copy(source, path(fileName));
    }

    // A file the build puts in the program's folder (a program, a language
    // library), copied under its own name.
    bool addBuilt(const QString &fileName) const
    {
        return copy(QStringLiteral(QB_BIN_DIR "/") + fileName, fileName);
    }
    // The program's language libraries, chn.dll and eng.dll.
    bool addLanguageLibraries() const
    {
        return addBuilt(QStringLiteral("chn.dll")) && addBuilt(QStringLiteral("eng.dll"));
    }
    // A language library built for the tests only, under the name given.
    bool addTestLibrary(const QString &library, const QString &fileName) const
    {
        return copy(QStringLiteral(QB_TEST_LANG_DIR "/") + library, fileName);
    }

private:
    QTemporaryDir m_dir;
};

// ---- The locale of the run ---------------------------------------------------

// The check each test of frequency texts makes first: that its CTest run
// really runs under the locale the run names (cmake/QbTest.cmake), so a run
// under a comma or an Arabic locale cannot pass by running under C.
//
//   QB_EXPECT_SEPARATOR=comma    the locale's decimal separator is ','
//   QB_EXPECT_NATIVE_DIGITS=1    the locale writes numbers in digits of its
//                                own (Arabic, Persian); frequency texts keep
//                                ASCII digits and '.' all the same
inline void verifyLocaleOfRun()
{
    if (qgetenv("QB_EXPECT_SEPARATOR") == "comma")
        QCOMPARE(frequencySeparator(), QLatin1Char(','));
    else
        QCOMPARE(frequencySeparator(), QLatin1Char('.'));
    if (qgetenv("QB_EXPECT_NATIVE_DIGITS") == "1")
        QVERIFY2(QLocale::system().zeroDigit() != QLatin1String("0"),
                 qPrintable(QLocale::system().name()));
}

// ---- Channel cells ----------------------------------------------------------

// The tests write frequency texts with '.'; the table holds them with the
// locale's separator, as the editor writes them.
inline QString local(QString text)
{
    return text.replace(QLatin1Char('.'), frequencySeparator());
}

// The eight cells of a row, columns 1-8, with the frequencies (columns 1 and
// 3) in the locale's separator.
inline QStringList localised(QStringList cells)
{
    for (int k : {0, 2})
        if (k < cells.size())
            cells[k] = local(cells.at(k));
    return cells;
}

// The eight cells of a row that holds nothing.
inline const QStringList EmptyRow(8, QString());

// Columns 1-8 of a row, as given; cells not given are emptied.
inline void setRow(ChannelTable &table, int row, const QStringList &cells)
{
    for (int col = 1; col <= 8; ++col)
        table.setCell(col, row, cells.value(col - 1));
}

// The table's value texts and tone-off text, as loading a language sets them.
inline void useValueTexts(ChannelTable &table, const ValueTexts &texts)
{
    table.setValueTexts(texts);
    table.setToneOffText(texts.offText);
}

// ---- Settings and texts -----------------------------------------------------

// The twenty setting indexes in the order of allSettings().
inline QList<int> indexesOf(const FunctionSettings &settings)
{
    QList<int> indexes;
    for (Setting s : allSettings())
        indexes << settings.index(s);
    return indexes;
}

// Whether a text holds a Han character or a CJK punctuation or full-width
// form: what a Chinese text would leave behind.
inline bool hasChineseCharacter(const QString &text)
{
    for (char32_t c : text.toUcs4()) {
        if ((c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
            (c >= 0xFF00 && c <= 0xFFEF) || c >= 0x20000)
            return true;
    }
    return false;
}
