// Tevrano: the program's entry point.

#include "app/DataLocation.h"
#include "app/Forms.h"
#include "app/MainForm.h"
#include "data/Database.h"
#include "data/Errors.h"
#include "ui/Form.h"
#include "ui/Globals.h"
#include "ui/Ui.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>

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

// Says on stderr what the program misses beside it, so that a broken installation is
// seen at once rather than as blank pictures or boxes instead of Chinese text.
void CheckInstallation() {
    const QStringList files = {u"Res/LeftBar.bmp"_s, u"Res/Money0.ico"_s, u"Faces/1.bmp"_s,
                               u"Frf/Bill.frf"_s};
    for (const QString& f : files)
        if (!QFileInfo::exists(tev::ProgramDir + f))
            std::fprintf(stderr, "Tevrano: missing %s\n", qPrintable(tev::ProgramDir + f));
    if (!tev::Database::DriverAvailable())
        std::fprintf(stderr, "Tevrano: the SQLite driver of Qt is not installed (libqt6sql6-sqlite)\n");
    const QStringList families = QFontDatabase::families();
    for (const QString& font : {u"AR PL UMing CN"_s, u"WenQuanYi Micro Hei"_s})
        if (!families.contains(font))
            std::fprintf(stderr, "Tevrano: the font %s is not installed\n", qPrintable(font));
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
    // Qt's own dialogs (file dialogs, the print dialog, the calendar) speak Chinese too.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(), u"qtbase"_s, u"_"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator);

    QCommandLineParser options;
    options.setApplicationDescription(tev::ProgramTitle);
    options.addHelpOption();
    const QCommandLineOption dataDirOption(
        u"data-dir"_s, u"数据文件夹（数据库、配置文件和报表模板），缺省为程序所在文件夹"_s, u"folder"_s);
    options.addOption(dataDirOption);
    options.process(app);

    tev::ProgramDir = QDir(QCoreApplication::applicationDirPath()).absolutePath() + u"/"_s;
    app.setWindowIcon(QIcon(tev::ProgramDir + u"Res/Tevrano.png"_s));
    CheckInstallation();

    tev::DataLocationRequest request;
    request.programDir = tev::ProgramDir;
    request.userDataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    request.explicitDir = options.value(dataDirOption);
    tev::DataLocation location;
    QString problem;
    if (!tev::ResolveDataLocation(request, &location, &problem)) {
        tev::TheUi().Message(nullptr, problem, tev::ProgramTitle, tev::MsgIcon::Error);
        return 1;
    }
    tev::UseDataLocation(location);
    // The engine's own words of a failure go here and to standard error, never into a box.
    tev::SetEngineLog(tev::DataDir + u"Tevrano.log"_s);

    tev::CreateForms();
    int exitCode = 0;
    QTimer::singleShot(0, [&exitCode] {
        if (!tev::StartProgram(exitCode)) QCoreApplication::exit(exitCode);
    });
    const int rc = app.exec();
    tev::DestroyForms();
    return exitCode != 0 ? exitCode : rc;
}
