#pragma once
// The maintenance page ("数据维护"): the database backed up to a file the user chooses, or
// restored from one. The side bar's backup button runs the same backup for every user.

#include <QDate>
#include <QString>
#include <QWidget>

class QGroupBox;
class QLabel;
class QToolButton;

namespace tev {

// The current user's desktop folder; empty when the system has none.
QString GetDesktopPath();
// The file name a backup made on date is proposed under.
QString BackupFileName(const QDate& date);

class MaintenancePage : public QWidget {
    Q_OBJECT
public:
    // Fills the main window's maintenance page and wires the side bar's backup button.
    // sideBarBackup: the main window's side-bar button of the same backup.
    MaintenancePage(QWidget* sheet, QToolButton* sideBarBackup);

    // "备份数据": a copy of the database to a chosen file.
    void ActionSaveExecute();
    // "恢复数据": the database replaced by a chosen backup; the program then ends.
    void ActionLoadExecute();

    QGroupBox* GroupBox1;
    QToolButton* SpeedButtonSave;
    QToolButton* SpeedButtonLoad;
    QLabel* Label1;
};

} // namespace tev
