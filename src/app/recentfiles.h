#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The files the user opened, saved, imported or exported last (channel
// files, radio images, CSV lists), newest first, at most MaxFiles. Kept per
// user in an INI file of its own (by default "recent.ini" in the user's
// configuration folder for the program), not in myini.ini, which belongs
// to the program's folder.
class RecentFiles : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxFiles = 8;

    // The list kept in the file at path; read now, written on every change
    // (through the safe writer). An empty path keeps the list for the run
    // only.
    explicit RecentFiles(const QString &path, QObject *parent = nullptr);
    // <user configuration folder>/qb380/recent.ini, or empty when the user
    // has no configuration folder that may be used (UserFolders).
    static QString defaultPath();

    QStringList files() const { return m_files; }
    // Puts path first (once); the oldest drops off beyond MaxFiles.
    void add(const QString &path);
    void remove(const QString &path);

signals:
    void changed();

private:
    void store();

    QString m_path;
    QStringList m_files;
};
