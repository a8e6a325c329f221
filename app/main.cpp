#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velatask"));
    QApplication::setApplicationVersion(QStringLiteral(VELATASK_VERSION));

    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("Velatask"));
    frame.resize(640, 420);
    frame.show();
    return QApplication::exec();
}
