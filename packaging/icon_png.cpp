// Writes the window's icon as a PNG for the desktop's icon theme.
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vantor08-icon ICON.xpm OUT.png\n");
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]));
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "vantor08-icon: cannot convert %s\n", argv[1]);
        return 1;
    }
    return 0;
}
