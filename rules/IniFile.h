#pragma once
// Private-profile (INI) files as the system reads and writes Tevrano.ini: sections and
// keys case-insensitive, a missing file, section or key gives the default, every write
// goes to disk at once, the file is encoded in GBK and created by the first write.
//
// Lines are "[section]" and "key=value"; blanks around names and values are ignored, a line
// starting with ";" is a comment, and of several matching sections or keys the first is the
// one read and written. A write changes the key's line in place, or adds the key at the end of
// its section, or adds the section at the end of the file; every other line stays as it was.
// The file is replaced whole and atomically, so a failed write leaves the old file.

#include <QString>

namespace tev {

// Section, key, default and path are limited to 255 characters; longer ones, or an empty
// section or key, give the default. A value read is cut to 1022 characters, and loses one
// pair of matching quotes around it ("x" and 'x' read as x).
QString IniReadString(const QString& section, const QString& key, const QString& defaultValue,
                      const QString& path);
// A value written is limited to 1023 characters; true when the file was written. False, with
// the file untouched, for names beyond the limits, line breaks, a key containing "=" or
// starting with "[" or ";", characters GBK cannot hold, or a file that cannot be read or written.
bool IniWriteString(const QString& section, const QString& key, const QString& value, const QString& path);

// Reads an item index stored as decimal text; a value that is not a whole number or lies
// outside 0..count-1 gives defaultIndex.
int IniReadIndex(const QString& section, const QString& key, int defaultIndex, int count,
                 const QString& path);

// Whether a settings file can be used as it is. Missing: there is none (the defaults apply and
// the first write makes it). Unreadable: it is there but cannot be read. Damaged: no reader of
// settings files could make sense of it, nor could a person have written it: larger than
// MaxIniFileSize, holding NUL bytes, or bytes that are no GBK text. Lines that are neither
// sections, keys, comments nor blank are no damage: they are skipped, as they always were.
enum class IniFileState { Good, Missing, Unreadable, Damaged };
IniFileState CheckIniFile(const QString& path);
// Far beyond any settings file: the program writes a few hundred bytes.
constexpr qint64 MaxIniFileSize = 1024 * 1024;
// Moves a damaged file aside, to "{path}.bad" or, when that is taken, "{path}.bad2", …, so
// that the defaults apply and the next write starts a new file while the old one is kept. The
// name the file has now; empty when it could not be moved.
QString SetIniFileAside(const QString& path);

} // namespace tev
