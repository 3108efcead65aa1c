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

} // namespace tev
