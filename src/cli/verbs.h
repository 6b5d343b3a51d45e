#pragma once

#include <QStringList>

// The verbs of qb380-cli. Each takes its arguments with args[0] standing for
// "qb380-cli <verb>" and returns the exit status (clisupport.h).
int readVerb(const QStringList &args);
int writeVerb(const QStringList &args);
int simulateVerb(const QStringList &args);
int exportCsvVerb(const QStringList &args);
int importCsvVerb(const QStringList &args);
int portsVerb(const QStringList &args);
