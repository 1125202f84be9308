// Decoding and encoding a 2-megapixel 256-colour GIF (1600 x 1250): ours, and ImageMagick's
// convert on the same picture as a reference. The figure is MB/s of 8-bit pixels (one byte a
// pixel, 2 MB a picture). Decoding ends with the picture composed as a 32-bit image; convert
// decodes into its pixel cache ("null:"), and encodes from its own MIFF file, so it codes the
// colour map as it stands. Convert's figures include starting the program, which
// ConvertStartup measures alone on a 1 x 1 picture.
#include "controls/pictures/gifpicture.h"

#include <QBuffer>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace {

using namespace duebell::pictures;

constexpr int Width = 1600;
constexpr int Height = 1250;

// A picture like a reduced photograph: smooth waves of colour through a 256-entry palette,
// with a little noise.
QImage Picture() {
    QImage image(Width, Height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 256; ++i) {
        table << qRgb(i, (i * 3) % 256, 255 - i);
    }
    image.setColorTable(table);
    std::mt19937 engine(25);
    for (int y = 0; y < Height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < Width; ++x) {
            const double wave =
                std::sin(x * 0.011) * std::cos(y * 0.017) + std::sin((x + y) * 0.004);
            row[x] = static_cast<uchar>(static_cast<int>((wave + 2) * 63.75 + engine() % 6) % 256);
        }
    }
    return image;
}

QByteArray Encoded(const QImage& picture) {
    TGifPicture gif;
    gif.AddFrame(picture);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    gif.SaveToStream(buffer);
    return buffer.data();
}

// The picture as GIF and MIFF files for convert, made once.
struct Files {
    Files() {
        folder = std::filesystem::temp_directory_path() / "duebell-gif-bench";
        std::filesystem::create_directories(folder);
        TGifPicture gif;
        gif.AddFrame(Picture());
        gif.SaveToFile(QString::fromStdString(Path("picture.gif")));
        Convert(Path("picture.gif") + " " + Path("picture.miff"));
        Convert("-size 1x1 xc:white " + Path("tiny.gif"));
    }
    ~Files() { std::filesystem::remove_all(folder); }
    std::string Path(const std::string& name) const { return (folder / name).string(); }
    static void Convert(const std::string& arguments) {
        if (std::system(("convert " + arguments).c_str()) != 0) {
            throw std::runtime_error("convert " + arguments);
        }
    }
    std::filesystem::path folder;
};

const Files& SharedFiles() {
    static const Files files;
    return files;
}

void Ours_Decode(benchmark::State& state) {
    const QByteArray gif = Encoded(Picture());
    for (auto _ : state) {
        QBuffer buffer;
        buffer.setData(gif);
        buffer.open(QIODevice::ReadOnly);
        TGifPicture picture;
        picture.LoadFromStream(buffer);
        benchmark::DoNotOptimize(picture.Bitmap());
    }
    state.SetBytesProcessed(state.iterations() * Width * Height);
    state.counters["gif_bytes"] = static_cast<double>(gif.size());
}
BENCHMARK(Ours_Decode)->Unit(benchmark::kMillisecond);

void Ours_Encode(benchmark::State& state) {
    const QImage picture = Picture();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Encoded(picture));
    }
    state.SetBytesProcessed(state.iterations() * Width * Height);
}
BENCHMARK(Ours_Encode)->Unit(benchmark::kMillisecond);

void Convert_Decode(benchmark::State& state) {
    const Files& files = SharedFiles();
    for (auto _ : state) {
        Files::Convert(files.Path("picture.gif") + " null:");
    }
    state.SetBytesProcessed(state.iterations() * Width * Height);
}
BENCHMARK(Convert_Decode)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void Convert_Encode(benchmark::State& state) {
    const Files& files = SharedFiles();
    for (auto _ : state) {
        Files::Convert(files.Path("picture.miff") + " " + files.Path("out.gif"));
    }
    state.SetBytesProcessed(state.iterations() * Width * Height);
}
BENCHMARK(Convert_Encode)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void Convert_Startup(benchmark::State& state) {
    const Files& files = SharedFiles();
    for (auto _ : state) {
        Files::Convert(files.Path("tiny.gif") + " null:");
    }
}
BENCHMARK(Convert_Startup)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

} // namespace
