#include "support/picturetests.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace duebell::pictures::test {

TempFolder::TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "duebell-pictures-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WriteFile(const std::string& fileName, const std::string& bytes) {
    std::ofstream(fileName, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string RunTool(const std::string& commandLine) {
    std::string output;
    FILE* pipe = popen(("timeout 120 " + commandLine).c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot run " << commandLine;
        return output;
    }
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    EXPECT_EQ(pclose(pipe), 0) << commandLine;
    return output;
}

std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

QImage ConvertToImage(const std::string& fileName, int index) {
    const std::string png = fileName + "." + std::to_string(index) + ".png";
    RunTool("convert " + Quote(fileName + "[" + std::to_string(index) + "]") +
            " PNG32:" + Quote(png));
    return QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_ARGB32);
}

QImage ScatteredIndexed(int width, int height, int colors, unsigned seed) {
    std::mt19937 engine(seed);
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colors; ++i) {
        // Distinct colours: the index spread over the three channels.
        table << qRgb((i * 37) % 256, (i * 101 + 7) % 256, i);
    }
    image.setColorTable(table);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Runs of a colour among noise, so that the coder finds strings of every length.
            image.scanLine(y)[x] =
                static_cast<uchar>(engine() % 4 == 0 ? (x / 5) % colors : engine() % colors);
        }
    }
    return image;
}

std::vector<TArgb> Pixels(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<TArgb> pixels;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        pixels.insert(pixels.end(), row, row + argb.width());
    }
    return pixels;
}

} // namespace duebell::pictures::test
