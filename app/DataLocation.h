#pragma once
// Where the user's data lives: the database, the configuration file, the report templates
// in use and the customers' document folders.
//
// Run from a folder the user may write (the build folder, an unpacked copy), the data stays
// beside the program. Installed under a folder the user cannot write, it lives in the user's
// own data folder, made at the first start: the empty database and the shipped templates.

#include <QString>

#include <functional>

namespace tev {

struct DataLocationRequest {
    QString programDir;  // folder of the program, ending with "/"
    QString userDataDir; // the user's data folder of this program (XDG data location)
    QString explicitDir; // a folder named on the command line (the demo), or empty
    // Whether the program may write into the program's folder; by default a file is made
    // there and removed again.
    std::function<bool(const QString&)> programDirWritable;
};

struct DataLocation {
    QString dir;               // ending with "/"
    bool besideProgram = true; // the program's own folder
    bool createdDatabase = false;
};

// Decides the data folder and prepares it. A folder named explicitly is used as it is, the
// database in it must exist already (as beside the program). In the user's data folder a
// missing database is created empty, written under a temporary name and renamed, and every
// shipped template missing from its Frf/ is copied there, so that the designer can save
// into it. On failure `message` holds a sentence for the user naming the folder, and
// nothing half-made is left behind.
bool ResolveDataLocation(const DataLocationRequest& request, DataLocation* location, QString* message);

// Looks at the settings file before anything reads it. A damaged one is moved aside (kept as
// "Tevrano.ini.bad"), so the defaults apply and the next write starts a new file; one that
// cannot be read is left as it is and gives the defaults. The sentence for the user, naming
// the file; empty when the file is good or there is none.
QString CheckSettingsFile(const QString& iniPath);

// Sets DataDir and IniFileName from a resolved location.
void UseDataLocation(const DataLocation& location);

} // namespace tev
