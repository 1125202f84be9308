#include "print/jpegcodec.h"

#include <QPainter>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace duebell {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back
// to the call that started the work. Only libjpeg's own C frames lie in between, so nothing
// of ours is skipped.
struct JumpingErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void JumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JumpingErrorManager*>(info->err)->jump, 1);
}

// Warnings of damaged but readable files are not ours to print.
void Silent(j_common_ptr) {}

constexpr long long MaxPixels = 256LL * 1024 * 1024;

struct DecodedRows {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> samples; // RGB
};

// Decompresses a grey or colour file into 'out' as RGB (a CMYK file fails the conversion).
bool DecompressInto(const unsigned char* data, unsigned long size, DecodedRows* out) {
    jpeg_decompress_struct info;
    JumpingErrorManager error;
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = JumpBack;
    error.base.output_message = Silent;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const long long pixels = static_cast<long long>(info.output_width) * info.output_height;
    if (pixels <= 0 || pixels > MaxPixels) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    out->width = static_cast<int>(info.output_width);
    out->height = static_cast<int>(info.output_height);
    const std::size_t stride = info.output_width * std::size_t{3};
    out->samples.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out->samples.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool CompressInto(const unsigned char* rgb, int width, int height, int quality,
                  unsigned char** file, unsigned long* size) {
    jpeg_compress_struct info;
    JumpingErrorManager error;
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = JumpBack;
    error.base.output_message = Silent;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, file, size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(rgb) + stride * info.next_scanline;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

std::optional<QImage> DecodeJpeg(const QByteArray& file) {
    if (file.isEmpty())
        return std::nullopt;
    DecodedRows rows;
    if (!DecompressInto(reinterpret_cast<const unsigned char*>(file.constData()),
                        static_cast<unsigned long>(file.size()), &rows))
        return std::nullopt;
    QImage image(rows.width, rows.height, QImage::Format_RGB32);
    if (image.isNull())
        return std::nullopt;
    const unsigned char* s = rows.samples.data();
    for (int y = 0; y < rows.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < rows.width; ++x, s += 3)
            line[x] = qRgb(s[0], s[1], s[2]);
    }
    return image;
}

QByteArray EncodeJpeg(const QImage& image, int quality) {
    if (image.isNull())
        return {};
    QImage opaque(image.size(), QImage::Format_RGB888);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    std::vector<unsigned char> rgb(static_cast<std::size_t>(opaque.width()) * 3 * opaque.height());
    for (int y = 0; y < opaque.height(); ++y)
        std::copy_n(opaque.constScanLine(y), opaque.width() * 3,
                    rgb.data() + static_cast<std::size_t>(y) * opaque.width() * 3);
    unsigned char* file = nullptr;
    unsigned long size = 0;
    QByteArray result;
    if (CompressInto(rgb.data(), opaque.width(), opaque.height(), quality, &file, &size))
        result = QByteArray(reinterpret_cast<const char*>(file), static_cast<qsizetype>(size));
    std::free(file);
    return result;
}

} // namespace duebell
