#include "storage/settingslocation.h"

#include "model/programfolder.h"
#include "storage/appsettings.h"
#include "storage/settingsfile.h"
#include "storage/userfolders.h"

#include <QDir>
#include <QFileInfo>

namespace SettingsLocation {

Location current()
{
    const QString folder = programFolder();
    if (QFileInfo(folder).isWritable())
        return {Place::ProgramFolder, QDir(folder).absoluteFilePath(FileName)};
    const QString config = UserFolders::folder(QStandardPaths::AppConfigLocation);
    if (config.isEmpty())
        return {Place::Nowhere, QString()};
    return {Place::UserConfigFolder, QDir(config).absoluteFilePath(FileName)};
}

Location prepare(QString *error)
{
    const Location location = current();
    if (location.place == Place::Nowhere) {
        if (error) {
            QString problem;
            UserFolders::folder(QStandardPaths::AppConfigLocation, &problem);
            *error = QStringLiteral("%1: the settings (%2) are not kept; the defaults are used")
                         .arg(problem, FileName);
        }
        return location;
    }
    if (location.place != Place::UserConfigFolder || QFileInfo::exists(location.path))
        return location;
    const QString folder = QFileInfo(location.path).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Unable to create the folder %1")
                         .arg(QDir::toNativeSeparators(folder));
        return location;
    }
    SettingsFile file(location.path);
    const SettingsSaveResult saved = saveAppSettings(file, loadAppSettings(file));
    if (!saved.ok && error)
        *error = saved.message;
    return location;
}

} // namespace SettingsLocation
