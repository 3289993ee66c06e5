// Renders the program icon that the window draws into the files that installers and desktops
// want: one PNG per size in the hicolor layout, a Windows .ico holding all sizes, and the
// picture beside the installer's welcome and finish pages, drawn from the same artwork.
//
//   velmaron-icon OUTDIR
//
// writes OUTDIR/hicolor/<n>x<n>/apps/velmaron-config.png, OUTDIR/velmaron-config.ico and
// OUTDIR/installer-side.bmp.

#include "app/artwork.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
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

// The installer's welcome and finish pages show a picture of 164 x 314 pixels at their left,
// as a 24-bit bitmap: the window's blue deepening downwards, the icon, and the device with
// its cable at the foot.
QImage installerSide() {
    QImage side(164, 314, QImage::Format_RGB32);
    QPainter painter(&side);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QLinearGradient blue(0, 0, 0, side.height());
    blue.setColorAt(0, velmaron::backgroundColour());
    blue.setColorAt(1, velmaron::backgroundColour().darker(135));
    painter.fillRect(side.rect(), blue);
    painter.drawImage(QPoint(34, 36), velmaron::programIconImage(96));
    const QPixmap device = velmaron::devicePicture();
    painter.drawPixmap(QRectF(-6, side.height() - 150, 170, 170.0 * device.height() / device.width()),
                       device, device.rect());
    painter.end();
    return side.convertToFormat(QImage::Format_RGB888);
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
    // The device picture is a pixmap, which needs the toolkit running; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
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
    const QString side = QStringLiteral("%1/installer-side.bmp").arg(outDir);
    if (!installerSide().save(side, "BMP")) {
        std::fprintf(stderr, "velmaron-icon: cannot write %s\n", qPrintable(side));
        return 1;
    }
    return 0;
}
