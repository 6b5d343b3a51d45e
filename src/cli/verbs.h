#pragma once

#include <QList>
#include <QString>

class VerbContext;

// One verb of qb380-cli: the program's --help lists it by its synopsis and
// summary, its own --help opens with its description, and main() hands its
// arguments to its function, which returns the exit status (clisupport.h).
struct Verb
{
    QString name;
    // The arguments after the name, as the program's --help shows them;
    // each line break continues the synopsis under its first argument.
    QString synopsis;
    // What it does, in the program's --help: one line or a few, each broken
    // where it should be.
    QString summary;
    // The paragraph that opens the verb's own --help.
    QString description;
    int (*run)(VerbContext &context);
};

// The verbs, in the order the program's --help lists them.
const QList<Verb> &verbs();
