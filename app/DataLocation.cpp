#include "app/DataLocation.h"

#include "data/Schema.h"
#include "rules/IniFile.h"
#include "ui/Globals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

QString WithSlash(const QString& dir) {
    return dir.endsWith(u'/') ? dir : dir + u'/';
}

// A folder the user may write: it exists and a file can be made in it.
bool CanWriteInto(const QString& dir) {
    const QFileInfo info(dir);
    if (!info.isDir() || !info.isWritable()) return false;
    QFile probe(WithSlash(dir) + u".tevrano-write-test"_s);
    if (!probe.open(QIODevice::WriteOnly)) return false;
    probe.close();
    probe.remove();
    return true;
}

bool PrepareUserFolder(const QString& dir, DataLocation* location, QString* message) {
    if (!QDir().mkpath(dir)) {
        *message = u"无法建立数据文件夹：%1"_s.arg(QDir::toNativeSeparators(dir));
        return false;
    }
    if (!CanWriteInto(dir)) {
        *message = u"数据文件夹无法写入，请检查权限：%1"_s.arg(QDir::toNativeSeparators(dir));
        return false;
    }
    const QString database = dir + u"Tevrano.mdb"_s;
    if (!QFileInfo::exists(database)) {
        // Made under a temporary name and renamed: a failed start leaves no half-made database
        // that the next start would take for the user's.
        const QString partial = dir + u"Tevrano.mdb.new"_s;
        QFile::remove(partial);
        QString error;
        if (!CreateEmptyDatabase(partial, &error) || !QFile::rename(partial, database)) {
            QFile::remove(partial);
            *message = u"无法在数据文件夹中建立数据库：%1"_s.arg(QDir::toNativeSeparators(database));
            return false;
        }
        location->createdDatabase = true;
    }
    return true;
}

// The shipped templates that the user's template folder lacks; the user's own designs stay.
void CopyMissingTemplates(const QString& programDir, const QString& dir) {
    const QDir shipped(programDir + u"Frf"_s);
    if (!shipped.exists()) return;
    QDir().mkpath(dir + u"Frf"_s);
    for (const QString& name : shipped.entryList({u"*.frf"_s}, QDir::Files)) {
        const QString target = dir + u"Frf/"_s + name;
        if (!QFileInfo::exists(target)) QFile::copy(shipped.filePath(name), target);
    }
}

} // namespace

bool ResolveDataLocation(const DataLocationRequest& request, DataLocation* location, QString* message) {
    *location = DataLocation();
    const QString programDir = WithSlash(request.programDir);
    if (!request.explicitDir.isEmpty()) {
        const QString dir = WithSlash(QDir(request.explicitDir).absolutePath());
        if (!QDir().mkpath(dir) || !CanWriteInto(dir)) {
            *message = u"数据文件夹无法写入，请检查权限：%1"_s.arg(QDir::toNativeSeparators(dir));
            return false;
        }
        location->dir = dir;
        location->besideProgram = dir == programDir;
    } else if (request.programDirWritable ? request.programDirWritable(programDir)
                                          : CanWriteInto(programDir)) {
        location->dir = programDir;
        location->besideProgram = true;
        return true;
    } else {
        if (request.userDataDir.isEmpty()) {
            *message =
                u"程序文件夹无法写入，且找不到用户数据文件夹：%1"_s.arg(QDir::toNativeSeparators(programDir));
            return false;
        }
        const QString dir = WithSlash(QDir(request.userDataDir).absolutePath());
        if (!PrepareUserFolder(dir, location, message)) return false;
        location->dir = dir;
        location->besideProgram = false;
    }
    if (!location->besideProgram) CopyMissingTemplates(programDir, location->dir);
    return true;
}

QString CheckSettingsFile(const QString& iniPath) {
    const QString file = QDir::toNativeSeparators(iniPath);
    switch (CheckIniFile(iniPath)) {
    case IniFileState::Good:
    case IniFileState::Missing:
        return {};
    case IniFileState::Unreadable:
        return u"配置文件无法读取，本次使用默认设置：%1"_s.arg(file);
    case IniFileState::Damaged:
        break;
    }
    const QString kept = SetIniFileAside(iniPath);
    if (kept.isEmpty()) return u"配置文件已损坏，本次使用默认设置：%1"_s.arg(file);
    return u"配置文件已损坏，本次使用默认设置：%1\n原文件已另存为：%2"_s.arg(file,
                                                                             QDir::toNativeSeparators(kept));
}

void UseDataLocation(const DataLocation& location) {
    DataDir = location.dir;
    IniFileName = DataDir + u"Tevrano.ini"_s;
}

} // namespace tev
