#pragma once

#include <QString>

// The program's folder: where the language libraries live and where the
// settings file "myini.ini" is kept. It is the folder of the executable;
// tests point it at a folder of their own.
QString programFolder();
void setProgramFolder(const QString &folder);

// programFolder() joined with a file name.
QString programFile(const QString &fileName);
