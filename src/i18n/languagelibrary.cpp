#include "i18n/languagelibrary.h"

#include "model/programfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QSet>

namespace {

using LookupFunction = const char *(*)(int);

// Lookup functions of the libraries loaded so far, by path. Nothing is ever
// unloaded: the texts a library returns live in it, and loading the same
// file again gives the library already loaded.
QHash<QString, LookupFunction> &loadedLibraries()
{
    static QHash<QString, LookupFunction> libraries;
    return libraries;
}

// Paths already reported as unloadable, so a broken file is noted once
// however often the language is switched.
QSet<QString> &reportedPaths()
{
    static QSet<QString> paths;
    return paths;
}

LookupFunction lookupFunction(const QString &path)
{
    if (LookupFunction f = loadedLibraries().value(path))
        return f;

    // A QLibrary object going out of scope leaves its library loaded.
    QLibrary library(path);
    QString problem;
    LookupFunction f = nullptr;
    if (!library.load()) {
        problem = library.errorString();
    } else {
        f = reinterpret_cast<LookupFunction>(library.resolve(LanguageLookupSymbol));
        if (!f)
            problem = QStringLiteral("no function %1").arg(QLatin1String(LanguageLookupSymbol));
    }
    if (!f) {
        if (!reportedPaths().contains(path)) {
            reportedPaths().insert(path);
            qWarning("qb380: %s is not a language library (%s); its texts are not used",
                     qUtf8Printable(QDir::toNativeSeparators(path)), qUtf8Printable(problem));
        }
        return nullptr;
    }
    loadedLibraries().insert(path, f);
    return f;
}

} // namespace

QString languageLibraryPath(const QString &name)
{
    return programFile(name + QStringLiteral(".dll"));
}

QByteArray cutUtf8(const QByteArray &text, int maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    // Byte maxBytes is the first one dropped; if it continues a character
    // (10xxxxxx), that character's lead byte and the rest go with it.
    qsizetype cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.left(cut);
}

std::optional<LanguageTable> readLanguageLibrary(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    const LookupFunction lookup = lookupFunction(path);
    if (!lookup)
        return std::nullopt;

    LanguageTable table;
    for (int n = LanguageTable::FirstNumber; n <= LanguageTable::LastOwnNumber; ++n) {
        if (!LanguageTable::isReadNumber(n))
            continue;
        const char *text = lookup(n);
        if (!text)
            continue;
        // One byte past the limit tells whether the last kept byte ends a
        // character.
        const qsizetype length = qstrnlen(text, LanguageTable::MaxTextBytes + 1);
        const QByteArray bytes = cutUtf8(QByteArray(text, length), LanguageTable::MaxTextBytes);
        table.setText(n, QString::fromUtf8(bytes));
    }
    return table;
}

std::optional<LanguageTable> readLanguage(const QString &name)
{
    return readLanguageLibrary(languageLibraryPath(name));
}
