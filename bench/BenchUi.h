#pragma once
// The window seam of the bench programs: it never waits for a person.

#include "bench/BenchSupport.h"
#include "ui/Ui.h"

#include <QDate>
#include <QDialog>

namespace tev::bench {

// Messages and questions are printed, questions answered No, modal windows closed at once;
// a save dialog answers saveTarget.
class BenchUi : public Ui {
public:
    void Message(QWidget*, const QString& text, const QString&, MsgIcon) override {
        std::fprintf(stderr, "message: %s\n", qUtf8Printable(text));
    }
    bool AskYesNo(QWidget*, const QString& text, const QString&) override {
        std::fprintf(stderr, "question: %s\n", qUtf8Printable(text));
        return false;
    }
    int ShowModal(QDialog*) override { return QDialog::Rejected; }
    QString ChooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override { return saveTarget; }
    QString ChooseOpenFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    bool OpenUrl(const QUrl&) override { return false; }
    QDate Today() override { return today; }

    QDate today = QDate(2026, 12, 10);
    QString saveTarget;
};

} // namespace tev::bench
