// The smallest Qt Widgets program with a window of the main window's size and colour: the
// start-up that any program built with the same Qt pays, beside which velmaron-config's own
// start-up is measured (benchmarks/windows-startup).

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal Widgets"));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(198, 217, 241));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.setFixedSize(313, 492);
    window.show();
    return application.exec();
}
