// Renders the program icon that the window draws into the files that installers and desktops
// want: one PNG per size in the hicolor layout, and a Windows .ico holding all sizes.
//
//   velmaron-icon OUTDIR
//
// writes OUTDIR/hicolor/<n>x<n>/apps/velmaron-config.png and OUTDIR/velmaron-config.ico.

#include "app/artwork.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QtEndian>
#include <cstdio>
#include <vector>

namespace {

constexpr int PngSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int IcoSizes[] = {16, 24, 32, 48, 64, 128, 256};
const QString IconName = QStringLiteral("velmaron-config");

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

template <class Int> void append(QByteArray& out, Int value) {
    const Int little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

// An icon directory whose entries are PNG images, as Windows reads them since Vista.
QByteArray icoFile(const std::vector<QByteArray>& pngs, const std::vector<int>& sizes) {
    QByteArray out;
    append<quint16>(out, 0); // reserved
    append<quint16>(out, 1); // icon
    append<quint16>(out, static_cast<quint16>(pngs.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(pngs.size());
    for (std::size_t i = 0; i < pngs.size(); ++i) {
        const auto side = static_cast<quint8>(sizes[i] >= 256 ? 0 : sizes[i]); // 0 means 256
        append<quint8>(out, side);
        append<quint8>(out, side);
        append<quint8>(out, 0);   // no palette
        append<quint8>(out, 0);   // reserved
        append<quint16>(out, 1);  // planes
        append<quint16>(out, 32); // bits per pixel
        append<quint32>(out, static_cast<quint32>(pngs[i].size()));
        append<quint32>(out, offset);
        offset += static_cast<quint32>(pngs[i].size());
    }
    for (const QByteArray& png : pngs)
        out.append(png);
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmaron-icon OUTDIR\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    for (int size : PngSizes) {
        const QString path =
            QStringLiteral("%1/hicolor/%2x%2/apps/%3.png").arg(outDir).arg(size).arg(IconName);
        if (!writeFile(path, pngBytes(velmaron::programIconImage(size)))) {
            std::fprintf(stderr, "velmaron-icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    std::vector<QByteArray> pngs;
    std::vector<int> sizes(std::begin(IcoSizes), std::end(IcoSizes));
    for (int size : sizes)
        pngs.push_back(pngBytes(velmaron::programIconImage(size)));
    const QString ico = QStringLiteral("%1/%2.ico").arg(outDir, IconName);
    if (!writeFile(ico, icoFile(pngs, sizes))) {
        std::fprintf(stderr, "velmaron-icon: cannot write %s\n", qPrintable(ico));
        return 1;
    }
    return 0;
}
