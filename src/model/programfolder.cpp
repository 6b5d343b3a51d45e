#include "model/programfolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString &overriddenFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString programFolder()
{
    if (!overriddenFolder().isEmpty())
        return overriddenFolder();
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString &folder)
{
    overriddenFolder() = folder;
}

QString programFile(const QString &fileName)
{
    return QDir(programFolder()).filePath(fileName);
}
