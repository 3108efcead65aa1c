#pragma once
// A written workbook read back with a reader of its own (python3 with openpyxl), so a test
// sees the cells as a spreadsheet program sees them.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace tevtest {

struct XlsxCell {
    QJsonValue value;
    QString type; // "s" text, "n" number
    QString format;
    bool bold = false;
    QString Text() const { return value.isString() ? value.toString() : value.toVariant().toString(); }
};

struct XlsxSheet {
    QString name;
    QString freeze;
    int rows = 0;
    int columns = 0;
    std::map<QString, double> widths; // by column letter
    std::map<std::pair<int, int>, XlsxCell> cells;
    // The cell at row, column (from 1); an empty one when nothing is there.
    XlsxCell At(int row, int column) const {
        const auto found = cells.find({row, column});
        return found == cells.end() ? XlsxCell{} : found->second;
    }
    QStringList RowTexts(int row) const {
        QStringList texts;
        for (int c = 1; c <= columns; ++c)
            texts << At(row, c).Text();
        return texts;
    }
};

inline std::vector<XlsxSheet> ReadXlsx(const QString& path) {
    // The system's python, where the distribution's openpyxl is installed.
    const QString python3 = QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                               : QStringLiteral("python3");
    QProcess python;
    python.start(python3,
                 {QStringLiteral(TEV_SOURCE_DIR "/tests/support/xlsx_dump.py"), path});
    python.waitForFinished(120000);
    const QByteArray out = python.readAllStandardOutput();
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    std::vector<XlsxSheet> sheets;
    for (const QJsonValue& s : QJsonDocument::fromJson(out).array()) {
        const QJsonObject o = s.toObject();
        XlsxSheet sheet;
        sheet.name = o[QStringLiteral("name")].toString();
        sheet.freeze = o[QStringLiteral("freeze")].toString();
        sheet.rows = o[QStringLiteral("rows")].toInt();
        sheet.columns = o[QStringLiteral("columns")].toInt();
        const QJsonObject widths = o[QStringLiteral("widths")].toObject();
        for (auto w = widths.begin(); w != widths.end(); ++w)
            sheet.widths[w.key()] = w.value().toDouble();
        for (const QJsonValue& c : o[QStringLiteral("cells")].toArray()) {
            const QJsonObject cell = c.toObject();
            sheet.cells[{cell[QStringLiteral("row")].toInt(), cell[QStringLiteral("column")].toInt()}] =
                XlsxCell{cell[QStringLiteral("value")], cell[QStringLiteral("type")].toString(),
                         cell[QStringLiteral("format")].toString(), cell[QStringLiteral("bold")].toBool()};
        }
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

} // namespace tevtest
