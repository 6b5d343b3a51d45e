#pragma once

#include <QStandardPaths>
#include <QString>

// The folders of the user's own (the backups, the settings file of an
// installed program, the recent files), decided in one place.
//
// On Unix these folders lie under HOME. When HOME is not set, is empty or
// names no existing folder, Qt would report folders under "/" or under the
// missing HOME and the programs would create them there. Then a folder is
// used only when it already exists (an XDG_DATA_HOME or XDG_CONFIG_HOME
// that points to a folder made before, say); otherwise there is none, and
// what would go there is not kept: the caller says so and goes on.
namespace UserFolders {

// Why HOME cannot hold the user's folders ("HOME is not set", "HOME is
// empty", "HOME (/x) is not an existing folder"); empty when it can, and
// always on systems where the user's folders do not come from HOME.
QString homeProblem();

// Qt's writable folder for `location`, or an empty path with the reason in
// *problem when it may not be used (see above). A usable folder need not
// exist yet.
QString folder(QStandardPaths::StandardLocation location, QString *problem = nullptr);

} // namespace UserFolders
