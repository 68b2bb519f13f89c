#include "tools/skingen/GifWriter.h"

#include <QHash>
#include <stdexcept>

namespace kestrovane {

namespace {

constexpr int kMaxCodeBits = 12;
// The last code an encoder assigns before it clears the table; the decoder
// then still has room for the entry it adds one step later.
constexpr int kLastCode = (1 << kMaxCodeBits) - 1;

// Packs variable-width codes least significant bit first, as GIF does.
class BitPacker {
 public:
  void put(unsigned code, int bits) {
    m_acc |= static_cast<std::uint32_t>(code) << m_count;
    m_count += bits;
    while (m_count >= 8) {
      m_bytes.push_back(static_cast<std::uint8_t>(m_acc & 0xFFu));
      m_acc >>= 8;
      m_count -= 8;
    }
  }
  std::vector<std::uint8_t> finish() {
    if (m_count > 0) m_bytes.push_back(static_cast<std::uint8_t>(m_acc & 0xFFu));
    m_acc = 0;
    m_count = 0;
    return std::move(m_bytes);
  }

 private:
  std::vector<std::uint8_t> m_bytes;
  std::uint32_t m_acc = 0;
  int m_count = 0;
};

void put16(QByteArray& out, int v) {
  out.append(static_cast<char>(v & 0xFF));
  out.append(static_cast<char>((v >> 8) & 0xFF));
}

void putByte(QByteArray& out, unsigned v) {
  out.append(static_cast<char>(v & 0xFFu));
}

}  // namespace

std::vector<std::uint8_t> GifWriter::compress(const std::vector<std::uint8_t>& indices,
                                              int minCodeSize) {
  if (minCodeSize < 2 || minCodeSize > 8) throw std::invalid_argument("LZW code size not 2..8");
  const unsigned alphabet = 1u << minCodeSize;
  const unsigned clearCode = alphabet;
  const unsigned endCode = alphabet + 1;
  for (std::uint8_t v : indices) {
    if (v >= alphabet) throw std::invalid_argument("colour index beyond the code size");
  }

  // child[prefix * alphabet + symbol]: the code of prefix+symbol, 0 if none
  // (no string code is ever 0: codes below endCode are single symbols).
  std::vector<std::uint16_t> child(static_cast<std::size_t>(1u << kMaxCodeBits) * alphabet, 0);
  BitPacker out;
  int bits = minCodeSize + 1;
  unsigned next = endCode + 1;
  out.put(clearCode, bits);
  if (indices.empty()) {
    out.put(endCode, bits);
    return out.finish();
  }

  unsigned prefix = indices[0];
  // After each code the decoder has as many entries as the encoder had
  // before it; both widen the codes when that count reaches 2^bits.
  const auto emitCode = [&](unsigned code) {
    out.put(code, bits);
    if (next >= (1u << bits) && bits < kMaxCodeBits) ++bits;
  };
  for (std::size_t i = 1; i < indices.size(); ++i) {
    const unsigned symbol = indices[i];
    std::uint16_t& slot = child[prefix * alphabet + symbol];
    if (slot != 0) {
      prefix = slot;
      continue;
    }
    emitCode(prefix);
    if (next < kLastCode) {
      slot = static_cast<std::uint16_t>(next++);
    } else {
      out.put(clearCode, bits);
      std::fill(child.begin(), child.end(), std::uint16_t{0});
      bits = minCodeSize + 1;
      next = endCode + 1;
    }
    prefix = symbol;
  }
  emitCode(prefix);
  out.put(endCode, bits);
  return out.finish();
}

QByteArray GifWriter::encode(const QList<QImage>& frames, int delayMs, int loopCount) {
  if (frames.isEmpty()) throw std::invalid_argument("no frames");
  const QSize size = frames.front().size();
  if (size.isEmpty() || size.width() > 0xFFFF || size.height() > 0xFFFF) {
    throw std::invalid_argument("frame size not 1..65535");
  }
  if (delayMs < 0 || delayMs / 10 > 0xFFFF) throw std::invalid_argument("delay out of range");
  if (loopCount < 0 || loopCount > 0xFFFF) throw std::invalid_argument("loop count out of range");

  // One palette of the exact colours, in order of first appearance.
  QList<QRgb> palette;
  QHash<QRgb, std::uint8_t> indexOf;
  std::vector<std::vector<std::uint8_t>> indexed;
  for (const QImage& frame : frames) {
    if (frame.size() != size) throw std::invalid_argument("frames differ in size");
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(size.width()) *
                   static_cast<std::size_t>(size.height()));
    for (int y = 0; y < size.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
      for (int x = 0; x < size.width(); ++x) {
        const QRgb c = line[x] | 0xFF000000u;
        auto it = indexOf.constFind(c);
        if (it == indexOf.constEnd()) {
          if (palette.size() == 256) throw std::invalid_argument("more than 256 colours");
          it = indexOf.insert(c, static_cast<std::uint8_t>(palette.size()));
          palette.append(c);
        }
        pixels.push_back(*it);
      }
    }
    indexed.push_back(std::move(pixels));
  }

  int tableBits = 1;
  while ((1 << tableBits) < palette.size()) ++tableBits;
  const int minCodeSize = std::max(2, tableBits);

  QByteArray out("GIF89a");
  put16(out, size.width());
  put16(out, size.height());
  // Global table present, 8 bits of colour resolution, table size 2^tableBits.
  putByte(out, 0x80u | 0x70u | static_cast<unsigned>(tableBits - 1));
  putByte(out, 0);  // background colour index
  putByte(out, 0);  // no aspect ratio
  for (int i = 0; i < (1 << tableBits); ++i) {
    const QRgb c = i < palette.size() ? palette[i] : 0;
    putByte(out, static_cast<unsigned>(qRed(c)));
    putByte(out, static_cast<unsigned>(qGreen(c)));
    putByte(out, static_cast<unsigned>(qBlue(c)));
  }

  out.append(
      "\x21\xFF\x0B"
      "NETSCAPE2.0"
      "\x03\x01",
      16);
  put16(out, loopCount);
  putByte(out, 0);

  const int delayCs = (delayMs + 5) / 10;
  for (const auto& pixels : indexed) {
    // Graphic control: disposal 1 (leave the frame; the next covers it
    // whole), no transparent colour.
    out.append("\x21\xF9\x04", 3);
    putByte(out, 1u << 2);
    put16(out, delayCs);
    putByte(out, 0);
    putByte(out, 0);
    // Image descriptor: the whole screen, no local table, not interlaced.
    putByte(out, 0x2C);
    put16(out, 0);
    put16(out, 0);
    put16(out, size.width());
    put16(out, size.height());
    putByte(out, 0);
    putByte(out, static_cast<unsigned>(minCodeSize));
    const std::vector<std::uint8_t> data = compress(pixels, minCodeSize);
    for (std::size_t pos = 0; pos < data.size(); pos += 255) {
      const std::size_t n = std::min<std::size_t>(255, data.size() - pos);
      putByte(out, static_cast<unsigned>(n));
      out.append(reinterpret_cast<const char*>(data.data() + pos), static_cast<qsizetype>(n));
    }
    putByte(out, 0);
  }
  putByte(out, 0x3B);
  return out;
}

}  // namespace kestrovane
