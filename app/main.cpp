#include <QApplication>
#include <QWidget>

#include <clocale>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvena Webradio"));
    // libmpv refuses to start unless numbers are formatted the C way.
    std::setlocale(LC_NUMERIC, "C");

    QWidget window;
    window.setWindowTitle(QApplication::applicationName());
    window.resize(315, 184);
    window.show();
    return QApplication::exec();
}
