#include "print/jpegcodec.h"

#include "print/picturesize.h"

#include <QPainter>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>
// After jpeglib.h, which it needs.
#include <jerror.h>

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

// Data that ends before the picture does is refused: libjpeg would fill the rest in.
void RefuseEarlyEnd(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        JumpBack(info);
}

struct DecodedRows {
    QImage image;
    std::vector<unsigned char> row; // RGB
};

// Decompresses a grey or colour file into 'out' as RGB (a CMYK file fails the conversion).
bool DecompressInto(const unsigned char* data, unsigned long size, DecodedRows* out) {
    jpeg_decompress_struct info;
    JumpingErrorManager error;
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = JumpBack;
    error.base.output_message = Silent;
    error.base.emit_message = RefuseEarlyEnd;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    if (!IsHeldPictureSize(info.image_width, info.image_height, static_cast<long long>(size))) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out->image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                        QImage::Format_RGB32);
    if (out->image.isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    out->row.resize(info.output_width * std::size_t{3});
    while (info.output_scanline < info.output_height) {
        auto* line =
            reinterpret_cast<QRgb*>(out->image.scanLine(static_cast<int>(info.output_scanline)));
        JSAMPROW row = out->row.data();
        jpeg_read_scanlines(&info, &row, 1);
        const unsigned char* s = out->row.data();
        for (JDIMENSION x = 0; x < info.output_width; ++x, s += 3)
            line[x] = qRgb(s[0], s[1], s[2]);
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
    return std::move(rows.image);
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
