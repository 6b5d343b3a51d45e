#include "app/recentfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString FilesKey = QStringLiteral("recent/files");

} // namespace

RecentFiles::RecentFiles(const QString &path, QObject *parent) : QObject(parent), m_path(path)
{
    const QSettings stored(m_path, QSettings::IniFormat);
    m_files = stored.value(FilesKey).toStringList().mid(0, MaxFiles);
}

QString RecentFiles::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/qb380/recent.ini");
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
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSettings stored(m_path, QSettings::IniFormat);
    stored.setValue(FilesKey, m_files);
    stored.sync();
    emit changed();
}
