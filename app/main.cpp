// Tevrano: the program's entry point.

#include "app/Form.h"
#include "app/Forms.h"
#include "app/Globals.h"
#include "app/MainForm.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

bool HasDisplay() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty()) return true; // the caller chose a platform (offscreen, xcb, …)
    return !qgetenv("DISPLAY").isEmpty() || !qgetenv("WAYLAND_DISPLAY").isEmpty();
}

void ApplyLook(QApplication& app) {
    app.setStyle(QStyleFactory::create(u"Fusion"_s));
    QPalette p = app.style()->standardPalette();
    p.setColor(QPalette::Window, QColor(236, 233, 216));
    p.setColor(QPalette::Button, QColor(236, 233, 216));
    p.setColor(QPalette::Highlight, QColor(49, 106, 197));
    app.setPalette(p);
    app.setFont(tev::SongFont());
}

} // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fprintf(stderr, "Tevrano needs a graphical display: no DISPLAY is set. "
                             "Start it on a desktop, or under a virtual display with: xvfb-run ./run.sh\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Tevrano"_s);
    QApplication::setApplicationDisplayName(tev::ProgramTitle);
    ApplyLook(app);

    tev::ProgramDir = QDir(QCoreApplication::applicationDirPath()).absolutePath() + u"/"_s;
    tev::IniFileName = tev::ProgramDir + u"Tevrano.ini"_s;
    app.setWindowIcon(QIcon(tev::ProgramDir + u"Res/Tevrano.png"_s));

    tev::CreateForms();
    tev::FormMain->show();
    int exitCode = 0;
    QTimer::singleShot(0, [&exitCode] {
        if (!tev::FormMain->FormShow()) {
            exitCode = tev::FormMain->ExitCode;
            tev::FormMain->close();
            QCoreApplication::exit(exitCode);
        }
    });
    const int rc = app.exec();
    tev::DestroyForms();
    return exitCode != 0 ? exitCode : rc;
}
