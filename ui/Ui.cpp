#include "ui/Ui.h"

#include "ui/Form.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace tev {

namespace {
QtUi g_qtUi;
Ui* g_ui = &g_qtUi;

QString CaptionOr(const QString& caption) {
    return caption.isEmpty() ? QApplication::applicationDisplayName() : caption;
}
} // namespace

Ui& TheUi() {
    return *g_ui;
}

Ui* InstallUi(Ui* ui) {
    Ui* previous = g_ui;
    g_ui = ui ? ui : &g_qtUi;
    return previous;
}

namespace {

// The text of a message keeps a margin on its right as on its left.
void Space(QMessageBox& box) {
    box.setStyleSheet(u"QMessageBox QLabel { padding-right: 14px; }"_s);
}

} // namespace

void QtUi::Message(QWidget* parent, const QString& text, const QString& caption, MsgIcon icon) {
    QMessageBox box(parent);
    box.setWindowTitle(CaptionOr(caption));
    box.setText(text);
    Space(box);
    switch (icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(u"确定"_s);
    box.exec();
}

bool QtUi::AskYesNo(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(parent);
    box.setWindowTitle(CaptionOr(caption));
    box.setText(text);
    Space(box);
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(u"是(&Y)"_s);
    box.button(QMessageBox::No)->setText(u"否(&N)"_s);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int QtUi::ShowModal(QDialog* form) {
    if (auto* f = dynamic_cast<TForm*>(form)) {
        if (!f->RunFormShow()) return f->result();
    }
    return form->exec();
}

namespace {

// The file list's types and dates in Chinese and in the program's date format, whatever the
// system's locale says.
class FileListProxy : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        constexpr int kTypeColumn = 2;
        constexpr int kDateColumn = 3;
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (role == Qt::DisplayRole && files) {
            const QModelIndex source = mapToSource(index);
            if (index.column() == kDateColumn)
                return files->lastModified(source).toString(u"yyyy-M-d HH:mm"_s);
            if (index.column() == kTypeColumn) {
                const QFileInfo info = files->fileInfo(source);
                if (info.isDir()) return u"文件夹"_s;
                const QString suffix = info.suffix().toLower();
                if (suffix == u"mdb"_s) return u"数据库文件"_s;
                if (suffix == u"bak"_s) return u"备份文件"_s;
                return suffix.isEmpty() ? u"文件"_s : suffix.toUpper() + u" 文件"_s;
            }
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// A file dialog of Qt's own drawing, sized so that every column of the list shows its whole
// content: name, size, type and date.
QString RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& caption,
                      const QString& startPath, const QString& filter) {
    QFileDialog dialog(parent, caption, startPath, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.setProxyModel(new FileListProxy(&dialog));
    dialog.setFont(SongFont());
    dialog.resize(780, 480);
    if (auto* list = dialog.findChild<QTreeView*>(u"treeView"_s)) {
        QHeaderView* header = list->header();
        header->setStretchLastSection(false);
        header->resizeSection(0, 330);
        header->resizeSection(1, 90);
        header->resizeSection(2, 130);
        header->resizeSection(3, 130);
    }
    if (mode == QFileDialog::AcceptSave && QFileInfo(startPath).isDir() == false)
        dialog.selectFile(QFileInfo(startPath).fileName());
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

} // namespace

QString QtUi::ChooseSaveFile(QWidget* parent, const QString& caption, const QString& startPath,
                             const QString& filter) {
    return RunFileDialog(parent, QFileDialog::AcceptSave, caption, startPath, filter);
}

QString QtUi::ChooseOpenFile(QWidget* parent, const QString& caption, const QString& startPath,
                             const QString& filter) {
    return RunFileDialog(parent, QFileDialog::AcceptOpen, caption, startPath, filter);
}

bool QtUi::OpenUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

QDate QtUi::Today() {
    return QDate::currentDate();
}

} // namespace tev
