#pragma once

#include <QString>

// The program's folder: where the language libraries live and, when the
// folder is writable, the settings file "myini.ini"
// (storage/settingslocation.h). It is the folder of the executable, the
// real one behind a symbolic link (an installed program is started through
// a link in bin/); tests point it at a folder of their own.
QString programFolder();
void setProgramFolder(const QString &folder);

// programFolder() joined with a file name.
QString programFile(const QString &fileName);
