#pragma once
// Template files: readable XML, one element per band and object, attributes in mm and
// points, only the values that differ from the defaults written out. A file read and
// written again is byte for byte the same file.
//
//   <report version="1" title="业务单据">
//     <page size="A4" orientation="portrait" margin-left="15" .../>
//     <band kind="MasterData" name="MasterData1" height="7" stretch="true">
//       <text name="Memo1" x="0" y="0" w="30" h="7" align="right" format="#,##0.00"
//       frame="all">[BillSum]</text> <line name="Line1" x="0" y="7" w="180" h="0" width="0.3"/>
//     </band>
//   </report>

#include "report_engine/ReportTemplate.h"

#include <QByteArray>
#include <QString>

namespace tev {

// Parses template XML. On failure returns false, leaves out untouched and sets error to
// a message that names the line.
bool ParseTemplate(const QByteArray& xml, ReportTemplate* out, QString* error);
bool ReadTemplateFile(const QString& path, ReportTemplate* out, QString* error);

QByteArray TemplateToXml(const ReportTemplate& report);
bool WriteTemplateFile(const QString& path, const ReportTemplate& report, QString* error);

} // namespace tev
