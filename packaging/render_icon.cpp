// Renders one of our SVG icons to a square PNG of the given size, for the
// icon theme of the package: tarvelo-icona IN.svg OUT.png SIZE
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "uso: tarvelo-icona IN.svg OUT.png LATO\n");
        return 2;
    }
    const int lato = QString::fromLocal8Bit(argv[3]).toInt();
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid() || lato < 8 || lato > 1024) {
        std::fprintf(stderr, "tarvelo-icona: %s non utilizzabile\n", argv[1]);
        return 1;
    }
    QImage image(lato, lato, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    return image.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
