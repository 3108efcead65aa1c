#include "rules/IniFile.h"

#include "rules/PublicFunction.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <vector>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

constexpr qsizetype MaxNameLength = 255;
constexpr qsizetype MaxWrittenValue = 1023;
constexpr qsizetype MaxReadValue = 1022;

// One line of the file as it is on disk, so that a write leaves every other line byte for byte.
struct RawLine {
    QByteArray text;   // without its line ending
    QByteArray ending; // "\r\n", "\n" or empty for a last line without one
};

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QString name;  // section or key name, trimmed
    QString value; // key value, trimmed
};

std::vector<RawLine> SplitLines(const QByteArray& bytes) {
    std::vector<RawLine> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        RawLine line;
        if (newline < 0) {
            line.text = bytes.mid(start);
            start = bytes.size();
        } else {
            line.text = bytes.mid(start, newline - start);
            line.ending = "\n";
            if (line.text.endsWith('\r')) {
                line.text.chop(1);
                line.ending = "\r\n";
            }
            start = newline + 1;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// Lines are decoded one by one: in GBK a second byte may be "[" or "]", but never "=" or a
// line break, so a line is always whole characters.
ParsedLine ParseLine(const QByteArray& raw) {
    ParsedLine parsed;
    const QString text = FromGbk(raw).trimmed();
    if (text.isEmpty() || text.startsWith(u';')) return parsed;
    if (text.startsWith(u'[')) {
        const qsizetype close = text.lastIndexOf(u']');
        if (close > 0) {
            parsed.kind = LineKind::Section;
            parsed.name = text.mid(1, close - 1).trimmed();
        }
        return parsed;
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals <= 0) return parsed;
    parsed.name = text.left(equals).trimmed();
    if (parsed.name.isEmpty()) return parsed;
    parsed.kind = LineKind::Key;
    parsed.value = text.mid(equals + 1).trimmed();
    return parsed;
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a section and a key of it are in the file; -1 for what is not there.
struct Location {
    qsizetype section = -1;   // header line of the first matching section
    qsizetype key = -1;       // first matching key line of that section
    qsizetype lastEntry = -1; // last non-blank line of that section (its header at least)
    QString value;
};

Location Find(const std::vector<RawLine>& lines, const QString& section, const QString& key) {
    Location found;
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        const ParsedLine line = ParseLine(lines[i].text);
        if (line.kind == LineKind::Section) {
            if (found.section >= 0) break; // the first matching section ends here; later ones are never read
            if (SameName(line.name, section)) {
                found.section = i;
                found.lastEntry = i;
            }
            continue;
        }
        if (found.section < 0) continue;
        if (!lines[i].text.trimmed().isEmpty()) found.lastEntry = i;
        if (line.kind == LineKind::Key && found.key < 0 && SameName(line.name, key)) {
            found.key = i;
            found.value = line.value;
        }
    }
    return found;
}

// Windows drops one pair of matching quotes around a value read.
QString StripQuotes(const QString& value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

bool NamesUsable(const QString& section, const QString& key, const QString& path) {
    return !section.isEmpty() && !key.isEmpty() && !path.isEmpty() && section.size() <= MaxNameLength &&
           key.size() <= MaxNameLength && path.size() <= MaxNameLength;
}

bool HasLineBreak(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r');
}

bool FitsGbk(const QString& text) {
    return FromGbk(ToGbk(text)) == text;
}

// Reads the whole file; a missing file is an empty one, a file that exists but cannot be
// read is a failure.
std::optional<QByteArray> ReadFile(const QString& path) {
    QFile file(path);
    if (!file.exists()) return QByteArray();
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

} // namespace

QString IniReadString(const QString& section, const QString& key, const QString& defaultValue,
                      const QString& path) {
    const QString fallback = defaultValue.left(MaxReadValue);
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (!NamesUsable(sectionName, keyName, path) || defaultValue.size() > MaxNameLength) return fallback;
    const std::optional<QByteArray> bytes = ReadFile(path);
    if (!bytes) return fallback;
    const Location found = Find(SplitLines(*bytes), sectionName, keyName);
    if (found.key < 0) return fallback;
    return StripQuotes(found.value).left(MaxReadValue);
}

bool IniWriteString(const QString& section, const QString& key, const QString& value, const QString& path) {
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    // Refuse what could not be read back as written: line breaks, a key that would read as a
    // section, a comment or a different key, characters GBK cannot hold.
    if (!NamesUsable(sectionName, keyName, path) || value.size() > MaxWrittenValue) return false;
    if (HasLineBreak(sectionName) || HasLineBreak(keyName) || HasLineBreak(value)) return false;
    if (keyName.contains(u'=') || keyName.startsWith(u'[') || keyName.startsWith(u';')) return false;
    if (!FitsGbk(sectionName) || !FitsGbk(keyName) || !FitsGbk(value)) return false;

    const std::optional<QByteArray> bytes = ReadFile(path);
    if (!bytes) return false;
    std::vector<RawLine> lines = SplitLines(*bytes);
    QByteArray ending = "\r\n";
    for (const RawLine& line : lines) {
        if (!line.ending.isEmpty()) {
            ending = line.ending;
            break;
        }
    }

    const Location found = Find(lines, sectionName, keyName);
    if (found.key >= 0) {
        // Keep the key as spelled in the file and the spacing before the old value.
        QByteArray& text = lines[found.key].text;
        qsizetype valueStart = text.indexOf('=') + 1;
        while (valueStart < text.size() && (text[valueStart] == ' ' || text[valueStart] == '\t'))
            ++valueStart;
        text = text.left(valueStart) + ToGbk(value);
    } else {
        std::vector<RawLine> added;
        qsizetype insertAt = qsizetype(lines.size());
        if (found.section >= 0) {
            insertAt = found.lastEntry + 1;
        } else {
            if (!lines.empty() && !lines.back().text.trimmed().isEmpty())
                added.push_back({QByteArray(), ending});
            added.push_back({ToGbk(u'[' + sectionName + u']'), ending});
        }
        added.push_back({ToGbk(keyName + u'=' + value), ending});
        if (insertAt > 0 && lines[insertAt - 1].ending.isEmpty()) lines[insertAt - 1].ending = ending;
        lines.insert(lines.begin() + insertAt, added.begin(), added.end());
    }

    QByteArray out;
    for (const RawLine& line : lines)
        out += line.text + line.ending;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(out) != out.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

IniFileState CheckIniFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return IniFileState::Missing;
    if (!info.isFile()) return IniFileState::Unreadable;
    // The size first: a huge file is never read in.
    if (info.size() > MaxIniFileSize) return IniFileState::Damaged;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return IniFileState::Unreadable;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return IniFileState::Unreadable;
    if (bytes.contains('\0')) return IniFileState::Damaged;
    // Decoding raises the error flag. A line break after the last byte makes a first byte
    // left without its second an error too.
    QStringDecoder decoder("GBK");
    const QString decoded = decoder.decode(bytes + '\n');
    return decoder.hasError() ? IniFileState::Damaged : IniFileState::Good;
}

QString SetIniFileAside(const QString& path) {
    for (int n = 1; n < 1000; ++n) {
        const QString aside = path + u".bad"_s + (n == 1 ? QString() : QString::number(n));
        if (QFileInfo::exists(aside)) continue;
        return QFile::rename(path, aside) ? aside : QString();
    }
    return {};
}

int IniReadIndex(const QString& section, const QString& key, int defaultIndex, int count,
                 const QString& path) {
    const QString text = IniReadString(section, key, QString(), path);
    if (!IsDigitString(text)) return defaultIndex;
    bool ok = false;
    const int index = text.toInt(&ok);
    if (!ok || index >= count) return defaultIndex;
    return index;
}

} // namespace tev
