#include "maintenance/MaintenancePage.h"

#include "data/Backup.h"
#include "ui/Globals.h"
#include "ui/Shell.h"
#include "ui/Ui.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

const QString MdbFilter = u"数据库文件 (*.mdb *.MDB);;所有文件 (*)"_s;

// The system's words for the failure, then the reason, so the number is not all a user sees.
QString FailureText(const QString& text, const CopyFailure& failure) {
    return text.arg(failure.code) + u"\n"_s + failure.reason;
}

QToolButton* MakeButton(QWidget* parent, const QString& name, const QString& caption,
                        QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(caption);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setIconSize(QSize(24, 24));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(false);
    return b;
}

} // namespace

QString GetDesktopPath() {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    // A desktop without a desktop folder: the user's home folder, never the working directory.
    if (!desktop.isEmpty() && !QFileInfo(desktop).isDir())
        return QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
    return desktop;
}

QString BackupFileName(const QDate& date) {
    return u"Corvina中介软件"_s + date.toString(u"yyyy-M-d"_s) + u".mdb"_s;
}

MaintenancePage::MaintenancePage(QWidget* sheet, QToolButton* sideBarBackup) : QWidget(sheet) {
    setObjectName(u"MaintenancePage"_s);
    auto* fill = new QVBoxLayout(sheet);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(this);

    GroupBox1 = new QGroupBox(u"帐套数据操作"_s, this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    GroupBox1->setGeometry(16, 16, 300, 144);
    SpeedButtonSave = MakeButton(GroupBox1, u"SpeedButtonSave"_s, u"备份数据"_s, QStyle::SP_DialogSaveButton);
    SpeedButtonSave->setGeometry(20, 26, 120, 56);
    SpeedButtonLoad = MakeButton(GroupBox1, u"SpeedButtonLoad"_s, u"恢复数据"_s, QStyle::SP_DialogOpenButton);
    SpeedButtonLoad->setGeometry(160, 26, 120, 56);
    Label1 = new QLabel(u"恢复数据将以备份文件替换当前全部数据，\n恢复完成后请重新启动软件。"_s, GroupBox1);
    Label1->setObjectName(u"Label1"_s);
    Label1->setGeometry(20, 94, 260, 36);

    connect(SpeedButtonSave, &QToolButton::clicked, this, &MaintenancePage::ActionSaveExecute);
    connect(SpeedButtonLoad, &QToolButton::clicked, this, &MaintenancePage::ActionLoadExecute);
    sideBarBackup->setEnabled(true);
    connect(sideBarBackup, &QToolButton::clicked, this, &MaintenancePage::ActionSaveExecute);
}

void MaintenancePage::ActionSaveExecute() {
    const QString desktop = GetDesktopPath();
    const QString proposed = BackupFileName(TheUi().Today());
    QString file =
        TheUi().ChooseSaveFile(TheShell().Window(), u"备份数据"_s,
                               desktop.isEmpty() ? proposed : desktop + u"/"_s + proposed, MdbFilter);
    if (file.isEmpty()) return;
    // The dialog's default extension: a name typed without one becomes a .mdb file.
    if (QFileInfo(file).suffix().isEmpty()) file += u".mdb"_s;
    CopyFailure failure;
    if (!BackupDatabase(Db(), file, &failure)) {
        TheUi().Message(TheShell().Window(), FailureText(u"数据库备份失败，失败号为：%1"_s, failure));
        return;
    }
    TheUi().Message(TheShell().Window(), u"恭喜您，数据库备份成功"_s);
}

void MaintenancePage::ActionLoadExecute() {
    if (!TheUi().AskYesNo(TheShell().Window(), u"数据库恢复将导致当前数据全部丢失，是否继续？"_s,
                          u"恢复警告"_s))
        return;
    const QString file =
        TheUi().ChooseOpenFile(TheShell().Window(), u"恢复数据"_s, GetDesktopPath(), MdbFilter);
    if (file.isEmpty()) return;
    CopyFailure failure;
    // A refused or failed restore leaves the database as it was, and the program goes on with it.
    if (!RestoreDatabase(Db(), file, &failure)) {
        TheUi().Message(TheShell().Window(), FailureText(u"数据库恢复失败，失败号为：%1"_s, failure));
        return;
    }
    TheUi().Message(TheShell().Window(), u"恭喜您，数据库恢复成功，请重新启动软件"_s);
    // The connection is closed: no window may go on with data read from the replaced file.
    TheShell().EndProgram();
}

} // namespace tev
