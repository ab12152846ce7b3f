// Draws quevor's artwork: the application icon (quevor.ico, several sizes, 32-bit with alpha,
// the largest stored as PNG as Windows' own icons do) and the add button's 35 x 35 picture
// (add.bmp, 24-bit). Built and run at build time on the
// build machine; writes both files into the folder given as its argument.
//
// The picture: a rounded tile, teal at the top shading to blue, with a white "start" arrow
// and three amber speed lines behind it — a quick-start bar.

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Rgba {
    double r, g, b, a;
};

Rgba over(Rgba top, Rgba under) {
    const double a = top.a + under.a * (1 - top.a);
    if (a <= 0) return {0, 0, 0, 0};
    auto mix = [&](double t, double u) { return (t * top.a + u * under.a * (1 - top.a)) / a; };
    return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), a};
}

bool inRoundedRect(double x, double y, double x0, double y0, double x1, double y1, double radius) {
    if (x < x0 || x > x1 || y < y0 || y > y1) return false;
    const double cx = std::clamp(x, x0 + radius, x1 - radius);
    const double cy = std::clamp(y, y0 + radius, y1 - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

bool inTriangle(double x, double y) {
    // Pointing right: (0.44, 0.26), (0.44, 0.74), (0.80, 0.50).
    if (x < 0.44) return false;
    const double half = 0.24 * (0.80 - x) / 0.36;
    return std::abs(y - 0.5) <= half;
}

// The colour of one point of the picture, coordinates 0..1 across the tile.
Rgba sample(double x, double y) {
    Rgba colour{0, 0, 0, 0};
    if (inRoundedRect(x, y, 0.04, 0.04, 0.96, 0.96, 0.20)) {
        const double t = y;
        colour = {(0x1f + (0x17 - 0x1f) * t) / 255.0, (0xa8 + (0x55 - 0xa8) * t) / 255.0,
                  (0x9c + (0xc0 - 0x9c) * t) / 255.0, 1};
        // A lighter rim along the top edge gives the tile some depth.
        if (!inRoundedRect(x, y, 0.08, 0.08, 0.92, 0.92, 0.17) && y < 0.5) {
            colour = over({1, 1, 1, 0.18}, colour);
        }
    }
    const Rgba amber{1.0, 0.80, 0.30, 1};
    const Rgba white{1, 1, 1, 1};
    if (inRoundedRect(x, y, 0.20, 0.33, 0.38, 0.40, 0.035) ||
        inRoundedRect(x, y, 0.12, 0.465, 0.38, 0.535, 0.035) ||
        inRoundedRect(x, y, 0.20, 0.60, 0.38, 0.67, 0.035)) {
        colour = over(amber, colour);
    }
    if (inTriangle(x, y)) colour = over(white, colour);
    return colour;
}

// size x size pixels, top row first, each averaged over 8 x 8 samples.
std::vector<Rgba> render(int size) {
    constexpr int kSamples = 8;
    std::vector<Rgba> pixels(static_cast<std::size_t>(size * size));
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Rgba c = sample((px + (sx + 0.5) / kSamples) / size,
                                          (py + (sy + 0.5) / kSamples) / size);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            }
            Rgba& out = pixels[static_cast<std::size_t>(py * size + px)];
            out = a > 0 ? Rgba{r / a, g / a, b / a, a / (kSamples * kSamples)} : Rgba{0, 0, 0, 0};
        }
    }
    return pixels;
}

std::uint8_t byte(double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

void put16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void bitmapInfoHeader(std::string& out, int width, int height, int bits, std::uint32_t imageSize) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<unsigned>(bits));
    put32(out, 0);  // BI_RGB
    put32(out, imageSize);
    put32(out, 3780);  // 96 DPI
    put32(out, 3780);
    put32(out, 0);
    put32(out, 0);
}

void putBig32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void pngChunk(std::string& out, const std::string& type, const std::string& data) {
    putBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = type + data;
    out += body;
    putBig32(out, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                                   static_cast<uInt>(body.size()))));
}

// One icon image as PNG, 8-bit RGBA; each row stores the difference to the pixel on its left,
// which the picture's flat areas turn into long runs of zeros.
std::string pngImage(int size) {
    const std::vector<Rgba> pixels = render(size);
    std::string rows;
    for (int y = 0; y < size; ++y) {
        rows += '\1';  // the "Sub" filter
        for (int x = 0; x < size; ++x) {
            const Rgba& p = pixels[static_cast<std::size_t>(y * size + x)];
            const Rgba none{0, 0, 0, 0};
            const Rgba& left = x > 0 ? pixels[static_cast<std::size_t>(y * size + x - 1)] : none;
            for (auto channel : {&Rgba::r, &Rgba::g, &Rgba::b, &Rgba::a}) {
                rows += static_cast<char>((byte(p.*channel) - byte(left.*channel)) & 0xFF);
            }
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                  reinterpret_cast<const Bytef*>(rows.data()), static_cast<uLong>(rows.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        std::fprintf(stderr, "draw_art: cannot compress the PNG image\n");
        std::exit(1);
    }
    packed.resize(packedSize);
    std::string header;
    putBig32(header, static_cast<std::uint32_t>(size));
    putBig32(header, static_cast<std::uint32_t>(size));
    header += std::string("\x08\x06\x00\x00\x00",
                          5);  // 8 bits, RGBA, deflate, filtered rows, no interlace
    std::string out = "\x89PNG\r\n\x1a\n";
    pngChunk(out, "IHDR", header);
    pngChunk(out, "IDAT", packed);
    pngChunk(out, "IEND", "");
    return out;
}

// One icon image: 32-bit BGRA rows bottom-up, then the AND mask (set where transparent).
std::string iconImage(int size) {
    const std::vector<Rgba> pixels = render(size);
    const int maskStride = ((size + 31) / 32) * 4;
    std::string out;
    bitmapInfoHeader(out, size, size * 2, 32,
                     static_cast<std::uint32_t>(size * size * 4 + maskStride * size));
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const Rgba& p = pixels[static_cast<std::size_t>(y * size + x)];
            out += static_cast<char>(byte(p.b));
            out += static_cast<char>(byte(p.g));
            out += static_cast<char>(byte(p.r));
            out += static_cast<char>(byte(p.a));
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(maskStride), '\0');
        for (int x = 0; x < size; ++x) {
            if (byte(pixels[static_cast<std::size_t>(y * size + x)].a) == 0) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
            }
        }
        out += row;
    }
    return out;
}

std::string iconFile(const std::vector<int>& sizes) {
    std::vector<std::string> images;
    for (int size : sizes) images.push_back(size >= 256 ? pngImage(size) : iconImage(size));
    std::string out;
    put16(out, 0);
    put16(out, 1);  // icon
    put16(out, static_cast<unsigned>(sizes.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const int size = sizes[i];
        out += static_cast<char>(size >= 256 ? 0 : size);
        out += static_cast<char>(size >= 256 ? 0 : size);
        out += '\0';  // no palette
        out += '\0';
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const std::string& image : images) out += image;
    return out;
}

// The add button's picture: 24-bit, the tile over the button face colour.
std::string pictureFile(int size) {
    const std::vector<Rgba> pixels = render(size);
    const Rgba face{0xF0 / 255.0, 0xF0 / 255.0, 0xF0 / 255.0, 1};
    const int stride = (size * 3 + 3) / 4 * 4;
    const auto imageSize = static_cast<std::uint32_t>(stride * size);
    std::string out = "BM";
    put32(out, 14 + 40 + imageSize);
    put32(out, 0);
    put32(out, 14 + 40);
    bitmapInfoHeader(out, size, size, 24, imageSize);
    for (int y = size - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < size; ++x) {
            const Rgba p = over(pixels[static_cast<std::size_t>(y * size + x)], face);
            row += static_cast<char>(byte(p.b));
            row += static_cast<char>(byte(p.g));
            row += static_cast<char>(byte(p.r));
        }
        row.resize(static_cast<std::size_t>(stride), '\0');
        out += row;
    }
    return out;
}

bool write(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) std::fprintf(stderr, "draw_art: cannot write %s\n", path.c_str());
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_art OUTPUT-FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool ok =
        write(folder + "/quevor.ico", iconFile({16, 20, 24, 32, 35, 40, 48, 64, 256})) &&
        write(folder + "/add.bmp", pictureFile(35));
    return ok ? 0 : 1;
}
