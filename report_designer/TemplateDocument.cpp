#include "report_designer/TemplateDocument.h"

#include "report_engine/ReportFile.h"

#include <QFileInfo>
#include <QSet>
#include <QUndoCommand>

#include <functional>

using namespace Qt::StringLiterals;

namespace tev {

// A step that knows how to do and undo itself on the document. Built from two closures so
// that every kind of change needs only its two directions written out.
class DocumentCommand : public QUndoCommand {
public:
    DocumentCommand(TemplateDocument* doc, const QString& text, std::function<void(TemplateDocument*)> redo,
                    std::function<void(TemplateDocument*)> undo, int mergeId = -1, ObjectRef target = {})
        : QUndoCommand(text), m_doc(doc), m_redo(std::move(redo)), m_undo(std::move(undo)),
          m_mergeId(mergeId), m_target(target) {}

    void redo() override { m_redo(m_doc); }
    void undo() override { m_undo(m_doc); }
    int id() const override { return m_mergeId; }

    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = dynamic_cast<const DocumentCommand*>(other);
        if (!next || next->m_mergeId != m_mergeId || !(next->m_target == m_target)) return false;
        m_redo = next->m_redo; // this step's undo still restores the state before the first
        return true;
    }

    // Access for the closures.
    static void SetObject(TemplateDocument* d, ObjectRef r, const ReportObject& v) { d->SetObject(r, v); }
    static void InsertObject(TemplateDocument* d, ObjectRef r, const ReportObject& v) {
        d->InsertObject(r, v);
    }
    static void TakeObject(TemplateDocument* d, ObjectRef r) { d->TakeObject(r); }
    static void SetBand(TemplateDocument* d, int b, const ReportBand& v) { d->SetBandProperties(b, v); }
    static void InsertBand(TemplateDocument* d, int b, const ReportBand& v) { d->InsertBand(b, v); }
    static void TakeBand(TemplateDocument* d, int b) { d->TakeBand(b); }
    static void SetPage(TemplateDocument* d, const PageSetup& p) { d->SetPage(p); }
    static void SetTitle(TemplateDocument* d, const QString& t) { d->SetTitle(t); }

private:
    TemplateDocument* m_doc;
    std::function<void(TemplateDocument*)> m_redo;
    std::function<void(TemplateDocument*)> m_undo;
    int m_mergeId;
    ObjectRef m_target;
};

namespace {

QString Prefix(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::Text:
        return u"Memo"_s;
    case ObjectKind::Line:
        return u"Line"_s;
    case ObjectKind::Rect:
        return u"Shape"_s;
    case ObjectKind::Picture:
        return u"Picture"_s;
    }
    return {};
}

// The order bands print in, for placing a new one.
int Rank(BandKind kind) {
    switch (kind) {
    case BandKind::ReportTitle:
        return 0;
    case BandKind::PageHeader:
        return 1;
    case BandKind::DataHeader:
    case BandKind::MasterData:
    case BandKind::DetailData:
    case BandKind::DataFooter:
        return 2;
    case BandKind::ReportSummary:
        return 3;
    case BandKind::PageFooter:
        return 4;
    }
    return 2;
}

} // namespace

TemplateDocument::TemplateDocument(QObject* parent) : QObject(parent) {
    connect(&m_undo, &QUndoStack::indexChanged, this, &TemplateDocument::changed);
}

void TemplateDocument::Reset(const ReportTemplate& report, const QString& fileName) {
    m_undo.clear();
    m_template = report;
    m_fileName = fileName;
    m_undo.setClean();
    emit reset();
    emit changed();
}

bool TemplateDocument::Load(const QString& path, QString* error) {
    ReportTemplate loaded;
    if (!ReadTemplateFile(path, &loaded, error)) return false;
    Reset(loaded, QFileInfo(path).absoluteFilePath());
    return true;
}

bool TemplateDocument::Save(const QString& path, QString* error) {
    if (!WriteTemplateFile(path, m_template, error)) return false;
    m_fileName = QFileInfo(path).absoluteFilePath();
    m_undo.setClean();
    emit changed();
    return true;
}

bool TemplateDocument::HasObject(ObjectRef ref) const {
    return ref.band >= 0 && ref.band < m_template.bands.size() && ref.index >= 0 &&
           ref.index < m_template.bands[ref.band].objects.size();
}

const ReportObject& TemplateDocument::Object(ObjectRef ref) const {
    return m_template.bands[ref.band].objects[ref.index];
}

QString TemplateDocument::NewObjectName(ObjectKind kind) const {
    QSet<QString> used;
    for (const ReportBand& b : m_template.bands) {
        for (const ReportObject& o : b.objects)
            used.insert(o.name.toLower());
    }
    const QString prefix = Prefix(kind);
    for (int n = 1;; ++n) {
        const QString name = prefix + QString::number(n);
        if (!used.contains(name.toLower())) return name;
    }
}

QString TemplateDocument::NewBandName(BandKind kind) const {
    QSet<QString> used;
    for (const ReportBand& b : m_template.bands)
        used.insert(b.name.toLower());
    const QString prefix = BandKindName(kind);
    for (int n = 1;; ++n) {
        const QString name = prefix + QString::number(n);
        if (!used.contains(name.toLower())) return name;
    }
}

int TemplateDocument::NewBandPosition(BandKind kind) const {
    int position = 0;
    for (int i = 0; i < m_template.bands.size(); ++i) {
        if (Rank(m_template.bands[i].kind) <= Rank(kind)) position = i + 1;
    }
    return position;
}

void TemplateDocument::ChangeObject(ObjectRef ref, const ReportObject& value, int mergeId) {
    if (!HasObject(ref) || Object(ref) == value) return;
    const ReportObject before = Object(ref);
    m_undo.push(new DocumentCommand(
        this, u"修改对象 %1"_s.arg(value.name),
        [ref, value](TemplateDocument* d) { DocumentCommand::SetObject(d, ref, value); },
        [ref, before](TemplateDocument* d) { DocumentCommand::SetObject(d, ref, before); }, mergeId, ref));
}

ObjectRef TemplateDocument::AddObject(int band, const ReportObject& object) {
    if (band < 0 || band >= m_template.bands.size()) return {};
    const ObjectRef ref{band, int(m_template.bands[band].objects.size())};
    m_undo.push(new DocumentCommand(
        this, u"添加对象 %1"_s.arg(object.name),
        [ref, object](TemplateDocument* d) { DocumentCommand::InsertObject(d, ref, object); },
        [ref](TemplateDocument* d) { DocumentCommand::TakeObject(d, ref); }));
    return ref;
}

void TemplateDocument::RemoveObject(ObjectRef ref) {
    if (!HasObject(ref)) return;
    const ReportObject before = Object(ref);
    m_undo.push(new DocumentCommand(
        this, u"删除对象 %1"_s.arg(before.name),
        [ref](TemplateDocument* d) { DocumentCommand::TakeObject(d, ref); },
        [ref, before](TemplateDocument* d) { DocumentCommand::InsertObject(d, ref, before); }));
}

void TemplateDocument::ChangeBand(int band, const ReportBand& properties) {
    if (band < 0 || band >= m_template.bands.size()) return;
    ReportBand before = m_template.bands[band];
    ReportBand after = properties;
    after.objects = before.objects;
    if (after == before) return;
    before.objects.clear();
    after.objects.clear();
    m_undo.push(new DocumentCommand(
        this, u"修改区域 %1"_s.arg(after.name),
        [band, after](TemplateDocument* d) { DocumentCommand::SetBand(d, band, after); },
        [band, before](TemplateDocument* d) { DocumentCommand::SetBand(d, band, before); }));
}

int TemplateDocument::AddBand(const ReportBand& band, int position) {
    if (position < 0 || position > m_template.bands.size()) position = NewBandPosition(band.kind);
    m_undo.push(new DocumentCommand(
        this, u"添加区域 %1"_s.arg(band.name),
        [position, band](TemplateDocument* d) { DocumentCommand::InsertBand(d, position, band); },
        [position](TemplateDocument* d) { DocumentCommand::TakeBand(d, position); }));
    return position;
}

void TemplateDocument::RemoveBand(int band) {
    if (band < 0 || band >= m_template.bands.size()) return;
    const ReportBand before = m_template.bands[band];
    m_undo.push(new DocumentCommand(
        this, u"删除区域 %1"_s.arg(before.name),
        [band](TemplateDocument* d) { DocumentCommand::TakeBand(d, band); },
        [band, before](TemplateDocument* d) { DocumentCommand::InsertBand(d, band, before); }));
}

void TemplateDocument::ChangePage(const PageSetup& page) {
    if (page == m_template.page) return;
    const PageSetup before = m_template.page;
    m_undo.push(new DocumentCommand(
        this, u"修改页面设置"_s, [page](TemplateDocument* d) { DocumentCommand::SetPage(d, page); },
        [before](TemplateDocument* d) { DocumentCommand::SetPage(d, before); }));
}

void TemplateDocument::ChangeTitle(const QString& title) {
    if (title == m_template.title) return;
    const QString before = m_template.title;
    m_undo.push(new DocumentCommand(
        this, u"修改报表名称"_s, [title](TemplateDocument* d) { DocumentCommand::SetTitle(d, title); },
        [before](TemplateDocument* d) { DocumentCommand::SetTitle(d, before); }));
}

void TemplateDocument::SetObject(ObjectRef ref, const ReportObject& value) {
    m_template.bands[ref.band].objects[ref.index] = value;
}

void TemplateDocument::InsertObject(ObjectRef ref, const ReportObject& value) {
    m_template.bands[ref.band].objects.insert(ref.index, value);
}

void TemplateDocument::TakeObject(ObjectRef ref) {
    m_template.bands[ref.band].objects.removeAt(ref.index);
}

void TemplateDocument::SetBandProperties(int band, const ReportBand& properties) {
    ReportBand& b = m_template.bands[band];
    QList<ReportObject> objects = std::move(b.objects);
    b = properties;
    b.objects = std::move(objects);
}

void TemplateDocument::InsertBand(int band, const ReportBand& value) {
    m_template.bands.insert(band, value);
}

void TemplateDocument::TakeBand(int band) {
    m_template.bands.removeAt(band);
}

void TemplateDocument::SetPage(const PageSetup& page) {
    m_template.page = page;
}

void TemplateDocument::SetTitle(const QString& title) {
    m_template.title = title;
}

} // namespace tev
