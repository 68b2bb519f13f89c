#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>
#include <cstdint>
#include <vector>

namespace kestrovane {

// A GIF89a encoder for animations (Qt reads GIF but cannot write it): one
// global palette of the frames' exact colours, full frames, LZW-compressed,
// a fixed delay per frame and the NETSCAPE2.0 loop extension.
class GifWriter {
 public:
  // Encodes frames that share one size and at most 256 colours; each frame
  // shows for delayMs (stored in hundredths of a second, so a multiple of 10
  // is kept exactly); loopCount 0 loops forever. Alpha is ignored: every
  // pixel is opaque. Throws std::invalid_argument on frames it cannot encode.
  static QByteArray encode(const QList<QImage>& frames, int delayMs, int loopCount = 0);

  // The LZW code stream of one frame's colour indices, before it is cut
  // into sub-blocks: minCodeSize 2..8, every index below 2^minCodeSize.
  static std::vector<std::uint8_t> compress(const std::vector<std::uint8_t>& indices,
                                            int minCodeSize);
};

}  // namespace kestrovane
