// Build tool: turns the program's PNG icons into a C++ source of premultiplied
// ARGB pixels, so that the program shows its icon without starting the image
// reader, which scans every image-format plugin of the system first.
#include <QImage>
#include <QSaveFile>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUT.cpp ICON.png...\n", argv[0]);
        return 2;
    }
    QByteArray out =
        "// Made by icon_pixels from the PNG icons at build time; not edited by hand.\n"
        "#include \"ui/program_icon.h\"\n\nnamespace ui {\nnamespace {\n";
    QByteArray table = "const IconPixels kIcons[] = {\n";
    for (int i = 2; i < argc; ++i) {
        QImage image(QString::fromLocal8Bit(argv[i]));
        if (image.isNull() || image.width() != image.height()) {
            std::fprintf(stderr, "icon_pixels: cannot read a square image from %s\n", argv[i]);
            return 1;
        }
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QByteArray name = "kIcon" + QByteArray::number(image.width());
        out += "const unsigned int " + name + "[] = {";
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                out += (x % 8 == 0 ? "\n    0x" : " 0x") + QByteArray::number(row[x], 16) + "u,";
            }
        }
        out += "\n};\n";
        table += "    {" + QByteArray::number(image.width()) + ", " + name + "},\n";
    }
    out += table +
           "};\n\n}  // namespace\n\nstd::span<const IconPixels> programIconPixels() { "
           "return kIcons; }\n\n}  // namespace ui\n";
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
        std::fprintf(stderr, "icon_pixels: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
