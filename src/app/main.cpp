// Vantrek: a desktop satellite tracker for one observer.
#include <QApplication>

#include <clocale>

#include "app/main_window.hpp"
#include "platform/program_folder.hpp"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Qt takes the desktop's locale; numbers in files, settings and dialogs are
    // written and read with the C library and always use a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Vantrek");
    QApplication::setOrganizationName("Vantrek");
    // Portable beside the program, or installed with the user's files under XDG_DATA_HOME.
    const QString programDir = QCoreApplication::applicationDirPath();
    vantrek::ProgramFolder folder = vantrek::ProgramFolderFromEnvironment(programDir.toStdString());
    folder.pathUnknown = programDir.isEmpty();  // the system could not tell where the program is
    vantrek::app::MainWindow window(vantrek::app::DefaultMainWindowOptions(folder, nullptr));
    window.show();
    return QApplication::exec();
}
