#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Automatic backups: every read of the radio keeps the memory it read as a
// radio image file (storage/radioimage.h) in a folder of the user's data,
// the newest Backups::Kept of them.
//
// A backup is named "backup-YYYYMMDD-HHMMSS-mmmZ.img" after the time it was
// made, in UTC (so that names sort in time order whatever the time zone or
// daylight saving time does); a second backup within the same millisecond
// gets "-2", "-3" ... before ".img". Only files named so are ever counted or
// removed: anything else in the folder is left alone.
namespace Backups {

// The application name both programs (qb380 and qb380-cli) give
// QCoreApplication, so that they share one data folder.
inline const QString ApplicationName = QStringLiteral("qb380");

constexpr int Kept = 50;

// QStandardPaths::AppDataLocation + "/backups": on Linux
// ~/.local/share/qb380/backups, on Windows %APPDATA%/qb380/backups, on macOS
// ~/Library/Application Support/qb380/backups (with the application name
// above and no organisation name). Empty when the user has no data folder
// that may be used (UserFolders: HOME unset, empty or missing); then no
// backup is kept, and folderProblem() says why.
QString defaultFolder();
QString folderProblem();

// The file name of a backup made at `time` (converted to UTC).
QString fileName(const QDateTime &time);
// Whether `name` (without a folder) is the name of a backup.
bool isBackupName(const QString &name);

// The backups in `folder`, newest first, as absolute paths (none for an
// empty folder name).
QStringList list(const QString &folder);

// Removes the oldest backups in `folder` until at most `keep` are left;
// returns the paths of the removed files. A file that cannot be removed is
// skipped (and counted as kept).
QStringList prune(const QString &folder, int keep = Kept);

// What a backup came to.
struct BackupResult
{
    bool ok = false;
    // The file written, when ok.
    QString path;
    // Why nothing was written: the folder could not be made or the file not
    // written (the operating system's text).
    QString message;
    // Older backups removed to keep the newest `keep`.
    QStringList removed;
};

// Writes `image` as a new backup into `folder` (made if missing), named
// after `time`, then prunes the folder to `keep` backups. Never replaces a
// file. An empty folder name (no data folder) keeps nothing and says why.
BackupResult save(const QByteArray &image, const QString &folder = defaultFolder(),
                  const QDateTime &time = QDateTime::currentDateTimeUtc(), int keep = Kept);

} // namespace Backups
