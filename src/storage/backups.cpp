#include "storage/backups.h"

#include "storage/radioimage.h"
#include "storage/userfolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

namespace Backups {

namespace {

const QRegularExpression &namePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^backup-(\\d{8}-\\d{6}-\\d{3})Z(?:-(\\d{1,9}))?\\.img$"));
    return pattern;
}

// Time stamp, then the number of a second backup within the same
// millisecond (1 for the first).
std::pair<QString, int> sortKey(const QString &name)
{
    const QRegularExpressionMatch match = namePattern().match(name);
    const QString number = match.captured(2);
    return {match.captured(1), number.isEmpty() ? 1 : number.toInt()};
}

} // namespace

QString defaultFolder()
{
    const QString data = UserFolders::folder(QStandardPaths::AppDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/backups");
}

QString folderProblem()
{
    QString problem;
    UserFolders::folder(QStandardPaths::AppDataLocation, &problem);
    return problem.isEmpty()
               ? QString()
               : QStringLiteral("%1, so there is no folder to keep backups in").arg(problem);
}

QString fileName(const QDateTime &time)
{
    return QStringLiteral("backup-") +
           time.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + QStringLiteral("Z.img");
}

bool isBackupName(const QString &name)
{
    return namePattern().match(name).hasMatch();
}

QStringList list(const QString &folder)
{
    // QDir("") is the working folder.
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    QStringList names;
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden))
        if (isBackupName(name))
            names << name;
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return sortKey(a) > sortKey(b); });
    QStringList paths;
    for (const QString &name : std::as_const(names))
        paths << dir.absoluteFilePath(name);
    return paths;
}

QStringList prune(const QString &folder, int keep)
{
    QStringList removed;
    const QStringList backups = list(folder);
    for (qsizetype k = qMax(0, keep); k < backups.size(); ++k)
        if (QFile::remove(backups.at(k)))
            removed << backups.at(k);
    return removed;
}

BackupResult save(const QByteArray &image, const QString &folder, const QDateTime &time, int keep)
{
    BackupResult result;
    if (folder.isEmpty()) {
        result.message = folderProblem();
        return result;
    }
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        result.message = QStringLiteral("Cannot create the backup folder %1").arg(folder);
        return result;
    }
    const QString base = fileName(time);
    QString path = dir.absoluteFilePath(base);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.absoluteFilePath(base.chopped(4) + QStringLiteral("-%1.img").arg(n));
    QString error;
    if (!writeRadioImageFile(path, image, &error)) {
        result.message = QStringLiteral("%1: %2").arg(path, error);
        return result;
    }
    result.ok = true;
    result.path = path;
    result.removed = prune(folder, keep);
    return result;
}

} // namespace Backups
