// Shared by the picture tests: a temporary folder, whole files, the black-box oracles
// (ImageMagick, gifsicle) run as programs, and small pictures to write.
#pragma once

#include "controls/pictures/formats/pixels.h"

#include <QImage>
#include <string>
#include <vector>

namespace duebell::pictures::test {

// A new empty folder under /tmp, removed with its contents at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void WriteFile(const std::string& fileName, const std::string& bytes);
std::string ReadFile(const std::string& fileName);

// Runs a shell command; its standard output. A failing command fails the test.
std::string RunTool(const std::string& commandLine);
std::string Quote(const std::string& text);
// A picture file turned into RGBA by ImageMagick and read back (frame `index` of a GIF).
QImage ConvertToImage(const std::string& fileName, int index = 0);

// A bitmap of `colors` distinct colours (at most 256) scattered pseudo-randomly, as an
// 8-bit indexed image with an exact table.
QImage ScatteredIndexed(int width, int height, int colors, unsigned seed);
// Every pixel as 0xAARRGGBB, rows top-down.
std::vector<TArgb> Pixels(const QImage& image);

} // namespace duebell::pictures::test
