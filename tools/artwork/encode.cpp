#include "encode.h"

namespace tqr::art {
namespace {

void Put16(Bytes& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(Bytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// BITMAPINFOHEADER; an icon image states twice its height (colour rows and
// mask rows).
void PutInfoHeader(Bytes& out, int width, int height, int bits, std::uint32_t imageSize) {
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);  // planes
  Put16(out, static_cast<unsigned>(bits));
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, 0);  // resolution: none stated
  Put32(out, 0);
  Put32(out, 0);  // colours used
  Put32(out, 0);  // colours important
}

std::uint32_t Stride(int width, int bits) {
  return static_cast<std::uint32_t>((width * bits + 31) / 32 * 4);
}

Bytes IconImage(const Image& image) {
  const std::uint32_t maskStride = Stride(image.width, 1);
  const std::uint32_t colourSize = static_cast<std::uint32_t>(image.width * 4 * image.height);
  const std::uint32_t maskSize = maskStride * static_cast<std::uint32_t>(image.height);
  Bytes out;
  PutInfoHeader(out, image.width, image.height * 2, 32, colourSize + maskSize);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const Color& p = image.At(x, y);
      // Fully transparent pixels carry black, as the mask shows the screen there.
      const bool clear = p.a == 0;
      out.push_back(clear ? 0 : p.b);
      out.push_back(clear ? 0 : p.g);
      out.push_back(clear ? 0 : p.r);
      out.push_back(p.a);
    }
  }
  for (int y = image.height - 1; y >= 0; --y) {
    Bytes row(maskStride, 0);
    for (int x = 0; x < image.width; ++x) {
      if (image.At(x, y).a < 128) {
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

Bytes EncodeBmp(const Image& image) {
  const std::uint32_t stride = Stride(image.width, 24);
  const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(image.height);
  Bytes out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, 14 + 40 + imageSize);
  Put32(out, 0);
  Put32(out, 14 + 40);
  PutInfoHeader(out, image.width, image.height, 24, imageSize);
  for (int y = image.height - 1; y >= 0; --y) {
    const std::size_t start = out.size();
    for (int x = 0; x < image.width; ++x) {
      const Color& p = image.At(x, y);
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
    }
    out.resize(start + stride, 0);
  }
  return out;
}

Bytes EncodeIco(const std::vector<Image>& images) {
  Bytes out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, static_cast<unsigned>(images.size()));
  std::vector<Bytes> bodies;
  for (const Image& image : images) bodies.push_back(IconImage(image));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t k = 0; k < images.size(); ++k) {
    // A side of 256 is written as 0; ours are smaller.
    out.push_back(static_cast<std::uint8_t>(images[k].width & 0xFF));
    out.push_back(static_cast<std::uint8_t>(images[k].height & 0xFF));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, static_cast<std::uint32_t>(bodies[k].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(bodies[k].size());
  }
  for (const Bytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace tqr::art
