// Vantrek: a desktop satellite tracker for one observer.
#include <QApplication>

#include "app/main_window.hpp"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Vantrek");
    QApplication::setOrganizationName("Vantrek");
    const std::string folder = QCoreApplication::applicationDirPath().toStdString();
    vantrek::app::MainWindow window(vantrek::app::DefaultMainWindowOptions(folder, nullptr));
    window.show();
    return QApplication::exec();
}
