#pragma once
// The template being designed, and every change to it as an undoable command. The
// designer window edits only through these functions, so a change made by a test through
// the document is exactly the change a user makes with the mouse.

#include "report_engine/ReportTemplate.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

namespace tev {

// An object by its band and its place in the band.
struct ObjectRef {
    int band = -1;
    int index = -1;
    bool IsValid() const { return band >= 0 && index >= 0; }
    bool operator==(const ObjectRef&) const = default;
};

class TemplateDocument : public QObject {
    Q_OBJECT
public:
    explicit TemplateDocument(QObject* parent = nullptr);

    const ReportTemplate& Template() const { return m_template; }
    QString FileName() const { return m_fileName; }
    bool IsModified() const { return !m_undo.isClean(); }
    QUndoStack* UndoStack() { return &m_undo; }

    // Start over with a template; the undo history is cleared.
    void Reset(const ReportTemplate& report, const QString& fileName = {});
    // On failure the document is unchanged and error says why.
    bool Load(const QString& path, QString* error);
    // Saves and remembers the file name; the document counts as unmodified afterwards.
    bool Save(const QString& path, QString* error);

    bool HasObject(ObjectRef ref) const;
    const ReportObject& Object(ObjectRef ref) const;
    const ReportBand& Band(int band) const { return m_template.bands[band]; }
    int BandCount() const { return int(m_template.bands.size()); }
    // A name not yet used in the template: Memo3, Line2, Shape1, Picture1; MasterData1.
    QString NewObjectName(ObjectKind kind) const;
    QString NewBandName(BandKind kind) const;
    // Where a new band of a kind goes so that the stack reads in printing order.
    int NewBandPosition(BandKind kind) const;

    // Each of these is one step on the undo stack. Changes that share a mergeId and an
    // object (one arrow key pressed repeatedly) become one step.
    void ChangeObject(ObjectRef ref, const ReportObject& value, int mergeId = -1);
    ObjectRef AddObject(int band, const ReportObject& object);
    void RemoveObject(ObjectRef ref);
    // Changes a band's own properties; its objects stay as they are.
    void ChangeBand(int band, const ReportBand& properties);
    int AddBand(const ReportBand& band, int position = -1);
    void RemoveBand(int band);
    void ChangePage(const PageSetup& page);
    void ChangeTitle(const QString& title);

signals:
    // Any change, including undo and redo.
    void changed();
    // The whole template was replaced (Reset, Load).
    void reset();

private:
    friend class DocumentCommand;
    void SetObject(ObjectRef ref, const ReportObject& value);
    void InsertObject(ObjectRef ref, const ReportObject& value);
    void TakeObject(ObjectRef ref);
    void SetBandProperties(int band, const ReportBand& properties);
    void InsertBand(int band, const ReportBand& value);
    void TakeBand(int band);
    void SetPage(const PageSetup& page);
    void SetTitle(const QString& title);

    ReportTemplate m_template;
    QString m_fileName;
    QUndoStack m_undo;
};

} // namespace tev
