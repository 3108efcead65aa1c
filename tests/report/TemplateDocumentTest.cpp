// The designer's document: changes as undo commands, saved and loaded again.

#include "QStringPrint.h"
#include "ReportFixtures.h"

#include "report_designer/TemplateDocument.h"
#include "report_engine/ReportFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tev;
using namespace tev::testing;

namespace {

ObjectRef Find(const TemplateDocument& doc, const QString& name) {
    for (int b = 0; b < doc.BandCount(); ++b) {
        for (int i = 0; i < doc.Band(b).objects.size(); ++i) {
            if (doc.Band(b).objects[i].name == name) return {b, i};
        }
    }
    return {};
}

int FindBand(const TemplateDocument& doc, BandKind kind) {
    for (int b = 0; b < doc.BandCount(); ++b) {
        if (doc.Band(b).kind == kind) return b;
    }
    return -1;
}

TEST(TemplateDocument, ChangesSaveLoadBackIdenticalAndUndoToTheOriginal) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TemplateDocument doc;
    QString error;
    ASSERT_TRUE(doc.Load(FrfPath(u"Bill.frf"_s), &error)) << error.toStdString();
    const ReportTemplate original = doc.Template();
    EXPECT_FALSE(doc.IsModified());

    // The title text: moved, enlarged, reworded.
    const ObjectRef title = Find(doc, u"Memo1"_s);
    ASSERT_TRUE(title.IsValid());
    ReportObject o = doc.Object(title);
    o.rect.translate(0, 2.5);
    o.fontSize = 24;
    o.text = u"[ADOQuery1.BillKind]（客户联）"_s;
    doc.ChangeObject(title, o);
    // A new text in the summary, a removed line, a new page header, a taller data band.
    const int summary = FindBand(doc, BandKind::ReportSummary);
    ReportObject added;
    added.name = doc.NewObjectName(ObjectKind::Text);
    added.rect = QRectF(0, 0, 90, 6);
    added.text = u"业务员：[ADOQuery1.BillMan]"_s;
    added.format = u"0.00"_s;
    const ObjectRef addedRef = doc.AddObject(summary, added);
    doc.RemoveObject(Find(doc, u"Line2"_s));
    ReportBand header;
    header.kind = BandKind::PageHeader;
    header.name = doc.NewBandName(BandKind::PageHeader);
    header.height = 6;
    const int headerAt = doc.AddBand(header);
    const int data = FindBand(doc, BandKind::MasterData);
    ReportBand dataBand = doc.Band(data);
    dataBand.height = 9;
    doc.ChangeBand(data, dataBand);
    PageSetup page = doc.Template().page;
    page.marginLeft = 20;
    doc.ChangePage(page);
    doc.ChangeTitle(u"业务单据（客户联）"_s);

    EXPECT_EQ(added.name, u"Memo48"_s);
    EXPECT_EQ(header.name, u"PageHeader1"_s);
    EXPECT_EQ(headerAt, 1) << "a page header goes after the report title";
    EXPECT_EQ(addedRef.index, 4);
    EXPECT_EQ(doc.Object(Find(doc, added.name)).text, u"业务员：[ADOQuery1.BillMan]"_s);
    EXPECT_EQ(doc.UndoStack()->count(), 7);
    EXPECT_TRUE(doc.IsModified());
    const ReportTemplate changed = doc.Template();

    // Saved where the program loads its templates, and loaded by the next print.
    ASSERT_TRUE(QDir().mkpath(dir.filePath(u"Frf"_s)));
    const QString path = dir.filePath(u"Frf/Bill.frf"_s);
    ASSERT_TRUE(doc.Save(path, &error)) << error.toStdString();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.FileName(), path);
    ReportFixtures data1;
    Report report;
    data1.Bind(report, u"Bill.frf"_s);
    ASSERT_TRUE(report.LoadFromFile(path));
    EXPECT_TRUE(report.Template() == changed);
    ASSERT_TRUE(report.PrepareReport()) << report.LastError().toStdString();
    const QStringList lines = PageTextLines(report.Pages()[0]);
    EXPECT_EQ(lines.value(0), u"销售开单（客户联）"_s);
    EXPECT_TRUE(lines.contains(u"业务员：张晓燕"_s)) << lines.join(u'\n').toStdString();
    // Top margin 12, the new empty page header 6, the title moved 2.5 down.
    EXPECT_DOUBLE_EQ(report.Pages()[0].items.first().Rect().top(), 20.5);
    EXPECT_DOUBLE_EQ(report.Pages()[0].items.first().Rect().left(), 20.0) << "left margin now 20";

    // All the way back, and forward again.
    while (doc.UndoStack()->canUndo())
        doc.UndoStack()->undo();
    EXPECT_TRUE(doc.Template() == original);
    while (doc.UndoStack()->canRedo())
        doc.UndoStack()->redo();
    EXPECT_TRUE(doc.Template() == changed);
}

TEST(TemplateDocument, RepeatedNudgesAreOneStepAndUnchangedValuesNone) {
    TemplateDocument doc;
    ReportTemplate t;
    ReportBand band;
    band.name = u"MasterData1"_s;
    ReportObject a;
    a.name = u"Memo1"_s;
    a.rect = QRectF(10, 1, 20, 5);
    ReportObject b = a;
    b.name = u"Memo2"_s;
    band.objects = {a, b};
    t.bands = {band};
    doc.Reset(t);

    int changes = 0;
    QObject::connect(&doc, &TemplateDocument::changed, [&] { ++changes; });
    for (int i = 0; i < 3; ++i) {
        ReportObject moved = doc.Object({0, 0});
        moved.rect.translate(0.5, 0);
        doc.ChangeObject({0, 0}, moved, 1);
    }
    EXPECT_EQ(doc.UndoStack()->count(), 1);
    EXPECT_EQ(changes, 3);
    EXPECT_DOUBLE_EQ(doc.Object({0, 0}).rect.x(), 11.5);
    // The same kind of nudge on another object is a step of its own.
    ReportObject other = doc.Object({0, 1});
    other.rect.translate(0.5, 0);
    doc.ChangeObject({0, 1}, other, 1);
    EXPECT_EQ(doc.UndoStack()->count(), 2);
    doc.ChangeObject({0, 1}, doc.Object({0, 1}));
    EXPECT_EQ(doc.UndoStack()->count(), 2) << "a change that changes nothing is no step";

    doc.UndoStack()->undo();
    doc.UndoStack()->undo();
    EXPECT_DOUBLE_EQ(doc.Object({0, 0}).rect.x(), 10.0);
    EXPECT_DOUBLE_EQ(doc.Object({0, 1}).rect.x(), 10.0);

    // Removing a band takes its objects along, and undo brings them back.
    doc.RemoveBand(0);
    EXPECT_EQ(doc.BandCount(), 0);
    doc.UndoStack()->undo();
    ASSERT_EQ(doc.BandCount(), 1);
    EXPECT_EQ(doc.Band(0).objects.size(), 2);
}

TEST(TemplateDocument, FailedLoadKeepsTheDocument) {
    TemplateDocument doc;
    ReportTemplate t;
    t.title = u"原来的"_s;
    doc.Reset(t, u"/tmp/old.frf"_s);
    QString error;
    EXPECT_FALSE(doc.Load(u"/nonexistent/Frf/Bill.frf"_s, &error));
    EXPECT_EQ(error, u"报表模板文件 /nonexistent/Frf/Bill.frf 不存在"_s);
    EXPECT_EQ(doc.Template().title, u"原来的"_s);
    EXPECT_EQ(doc.FileName(), u"/tmp/old.frf"_s);
    EXPECT_FALSE(doc.Save(u"/nonexistent/dir/x.frf"_s, &error));
    EXPECT_TRUE(error.startsWith(u"无法保存报表模板文件 /nonexistent/dir/x.frf"_s)) << error.toStdString();
}

} // namespace
