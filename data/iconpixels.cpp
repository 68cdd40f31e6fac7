// Build tool: writes a PNG's pixels as premultiplied ARGB32 rows (native byte order, no header),
// the form the window system takes an icon in. The program copies them as they are, where
// decoding the PNGs cost more at every start than everything else the icon needs.
//   iconpixels IN.png OUT.argb
#include <QSaveFile>
#include <QImage>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("usage: iconpixels IN.png OUT.argb\n", stderr);
        return 2;
    }
    const QImage png(QString::fromLocal8Bit(argv[1]), "png");
    if (png.isNull()) {
        std::fprintf(stderr, "iconpixels: cannot read %s as PNG\n", argv[1]);
        return 1;
    }
    const QImage pixels = png.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "iconpixels: cannot write %s\n", argv[2]);
        return 1;
    }
    const qsizetype rowBytes = qsizetype(pixels.width()) * 4;
    for (int y = 0; y < pixels.height(); ++y)
        if (out.write(reinterpret_cast<const char *>(pixels.constScanLine(y)), rowBytes) != rowBytes) {
            std::fprintf(stderr, "iconpixels: cannot write %s\n", argv[2]);
            return 1;
        }
    return out.commit() ? 0 : 1;
}
