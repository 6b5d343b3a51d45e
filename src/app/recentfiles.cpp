#include "app/recentfiles.h"

#include "storage/userfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString FilesKey = QStringLiteral("recent/files");

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
    if (m_path.isEmpty()) {
        emit changed();
        return;
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSettings stored(m_path, QSettings::IniFormat);
    stored.setValue(FilesKey, m_files);
    stored.sync();
    emit changed();
}
