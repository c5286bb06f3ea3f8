#pragma once

#include <cstddef>
#include <cstdint>

// The icon images are kept as Windows stores them inside an icon: a 40-byte
// header, 24-bit colour rows, then 1-bit mask rows (set: transparent), both
// bottom-up, each row padded to four bytes. The Windows build compiles these
// bytes in as they are; the Linux program reads them directly.
namespace IconDib {

constexpr int headerSize = 40;

constexpr int colourStride(int size) { return (size * 3 + 3) & ~3; }
constexpr int maskStride(int size) { return (size + 31) / 32 * 4; }
constexpr std::size_t byteSize(int size)
{
    return std::size_t(headerSize + size * (colourStride(size) + maskStride(size)));
}

struct Pixel
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool transparent = true;
};

// The pixel at x, y counted from the top-left corner of a size x size image.
inline Pixel pixel(const unsigned char *dib, int size, int x, int y)
{
    const int row = size - 1 - y;
    const unsigned char *colour = dib + headerSize;
    const unsigned char *mask = colour + size * colourStride(size);
    const unsigned char *bgr = colour + row * colourStride(size) + x * 3;
    Pixel result;
    result.red = bgr[2];
    result.green = bgr[1];
    result.blue = bgr[0];
    result.transparent = mask[row * maskStride(size) + x / 8] & (0x80 >> (x % 8));
    return result;
}

// Whether dib holds a 24-bit image of this size and nothing else.
inline bool isImage(const unsigned char *dib, std::size_t length, int size)
{
    return length == byteSize(size) && dib[0] == headerSize && dib[14] == 24 && dib[15] == 0;
}

} // namespace IconDib
