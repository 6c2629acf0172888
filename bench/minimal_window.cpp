// The yardstick of the start-up bench: a Qt Widgets program that shows one plain
// window of the launcher's size at the top left corner, and then idles. Given
// "text", the window also shows two lines of Japanese in the two Gothic faces
// the menu uses, drawn as the menu draws them, so that the cost of Japanese text
// alone can be told apart.

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const bool withText = argc > 1 && QByteArray(argv[1]) == "text";
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal"));
    window.setGeometry(0, 0, 792, 538);
    if (withText) {
        auto* layout = new QVBoxLayout(&window);
        for (const char* family : {"IPAGothic", "IPAPGothic"}) {
            auto* line = new QLabel(QStringLiteral("メインメニュー　環境設定　終了"), &window);
            QFont font(QString::fromLatin1(family), 12);
            // Hinted by the fonts' own instructions, as the menu draws its text.
            font.setHintingPreference(QFont::PreferFullHinting);
            line->setFont(font);
            layout->addWidget(line);
        }
    }
    window.show();
    return app.exec();
}
