// Makes the program icon at the sizes desktops look for:
//   icon_sizes SOURCE_DIR OUTPUT_DIR SIZE...
// writes OUTPUT_DIR/<size>x<size>/apps/korvenedit.png. A size drawn by hand in SOURCE_DIR
// (korvenedit-<size>.png) is used as it is; the others are scaled down from the largest one there.
#include <QDir>
#include <QImage>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: icon_sizes SOURCE_DIR OUTPUT_DIR SIZE...\n", stderr);
        return 2;
    }
    const QDir source(QFile::decodeName(argv[1]));
    const QDir output(QFile::decodeName(argv[2]));
    QImage largest;
    for (const QString& name : source.entryList({QStringLiteral("korvenedit-*.png")}, QDir::Files)) {
        const QImage image(source.filePath(name));
        if (image.width() > largest.width()) {
            largest = image;
        }
    }
    if (largest.isNull()) {
        std::fprintf(stderr, "icon_sizes: no korvenedit-<size>.png in %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        if (size > largest.width()) {
            std::fprintf(stderr, "icon_sizes: %s px would be scaled up; draw it or leave it to the SVG\n",
                         argv[i]);
            return 1;
        }
        const QString drawn = source.filePath(QStringLiteral("korvenedit-%1.png").arg(size));
        const QImage image = QFile::exists(drawn) ? QImage(drawn)
                                                  : largest.scaled(size, size, Qt::IgnoreAspectRatio,
                                                                   Qt::SmoothTransformation);
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (size <= 0 || image.isNull() || !output.mkpath(folder) ||
            !image.save(output.filePath(folder + QStringLiteral("/korvenedit.png")))) {
            std::fprintf(stderr, "icon_sizes: cannot make the %s px icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
