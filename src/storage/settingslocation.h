#pragma once

#include <QString>

// Where the settings file "myini.ini" lives, decided in one place for both
// programs:
//
// - beside the program (programFolder()) when the program's folder is
//   writable: a build tree, a folder the user unpacked. This is where the
//   file has always been.
// - otherwise in the user's configuration folder,
//   QStandardPaths::AppConfigLocation: ~/.config/qb380/myini.ini on Linux
//   (the application name Backups::ApplicationName and no organisation
//   name). An installed program lives in a system folder that only root may
//   change, so each user keeps a file of their own there.
//
// - nowhere, when the program's folder is not writable and the user has no
//   configuration folder that may be used (UserFolders: HOME unset, empty
//   or missing): the settings are the defaults and nothing is stored.
//
// "Writable" is what the system says for the user running the program; for
// root every folder on a writable disk is, so root always uses the file
// beside the program.
namespace SettingsLocation {

inline const QString FileName = QStringLiteral("myini.ini");

enum class Place {
    ProgramFolder,
    UserConfigFolder,
    // No file: reading gives the defaults, nothing is written.
    Nowhere,
};

struct Location
{
    Place place = Place::ProgramFolder;
    // The file's absolute path; empty for Place::Nowhere.
    QString path;
};

// The place for the program's folder as it is now.
Location current();

// The file of this run, ready to be read: current(), and in the user's
// configuration folder a missing file is created (with its folder) holding
// the first-run defaults, the settings a first run writes at its end. Beside
// the program nothing is created: the GUI writes the file when it ends, as
// it always did. When the file cannot be created, *error says why; the path
// is returned all the same, and reading it gives the defaults. For
// Place::Nowhere *error says that the settings are not kept, and why.
Location prepare(QString *error = nullptr);

} // namespace SettingsLocation
