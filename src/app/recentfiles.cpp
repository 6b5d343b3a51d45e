#include "app/recentfiles.h"

#include "storage/atomicwrite.h"
#include "storage/userfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString FilesKey = QStringLiteral("recent/files");

// The INI text QSettings reads back as the list: each entry quoted, with
// backslashes and quotes escaped, UTF-8, separated by ", "; no key for an
// empty list.
QByteArray iniText(const QStringList &files)
{
    QByteArray text = "[recent]\n";
    if (files.isEmpty())
        return text;
    QList<QByteArray> entries;
    for (const QString &file : files) {
        QByteArray entry = file.toUtf8();
        entry.replace("\\", "\\\\").replace("\"", "\\\"");
        entries << '"' + entry + '"';
    }
    return text + "files=" + entries.join(", ") + '\n';
}

} // namespace

RecentFiles::RecentFiles(const QString &path, QObject *parent) : QObject(parent), m_path(path)
{
    if (m_path.isEmpty())
        return;
    const QSettings stored(m_path, QSettings::IniFormat);
    m_files = stored.value(FilesKey).toStringList().mid(0, MaxFiles);
}

QString RecentFiles::defaultPath()
{
    // No list is kept without a configuration folder (HOME unset, empty or
    // missing): nothing is created under "/" or a missing HOME.
    const QString config = UserFolders::folder(QStandardPaths::GenericConfigLocation);
    return config.isEmpty() ? QString() : config + QStringLiteral("/qb380/recent.ini");
}

void RecentFiles::add(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > MaxFiles)
        m_files.removeLast();
    store();
}

void RecentFiles::remove(const QString &path)
{
    if (m_files.removeAll(path) > 0)
        store();
}

void RecentFiles::store()
{
    if (!m_path.isEmpty()) {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        QString error;
        if (!writeFileAtomically(m_path, iniText(m_files), &error))
            qWarning("%s: %s", qUtf8Printable(QDir::toNativeSeparators(m_path)),
                     qUtf8Printable(error));
    }
    emit changed();
}
