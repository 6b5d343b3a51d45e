#include "storage/userfolders.h"

#include <QDir>
#include <QFileInfo>

namespace UserFolders {

QString homeProblem()
{
#ifdef Q_OS_UNIX
    if (!qEnvironmentVariableIsSet("HOME"))
        return QStringLiteral("HOME is not set");
    const QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty())
        return QStringLiteral("HOME is empty");
    if (!QFileInfo(home).isDir())
        return QStringLiteral("HOME (%1) is not an existing folder").arg(home);
#endif
    return {};
}

QString folder(QStandardPaths::StandardLocation location, QString *problem)
{
    const QString path = QStandardPaths::writableLocation(location);
    const QString home = homeProblem();
    if (!path.isEmpty() && (home.isEmpty() || QFileInfo(path).isDir()))
        return path;
    if (problem)
        *problem = home.isEmpty() ? QStringLiteral("the system names no folder for it") : home;
    return {};
}

} // namespace UserFolders
