// The yardstick of the start-up bench: a Qt Widgets program that shows one plain
// window of the launcher's size at the top left corner, and then idles.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal"));
    window.setGeometry(0, 0, 792, 538);
    window.show();
    return app.exec();
}
