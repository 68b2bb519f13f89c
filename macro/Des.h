#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace kestrovane {

// The Data Encryption Standard (FIPS 46-3) on single 64-bit blocks, as ECB
// uses it. Bit 1 of a block or key is the most significant bit of its first
// byte. The eight parity bits of the key (the low bit of each byte) are
// ignored, and weak keys are accepted, as the standard allows.
class Des {
 public:
  using Block = std::array<std::uint8_t, 8>;

  explicit Des(std::span<const std::uint8_t, 8> key);

  Block encrypt(std::span<const std::uint8_t, 8> block) const;
  Block decrypt(std::span<const std::uint8_t, 8> block) const;

  // The same on a block held with bit 1 as the most significant bit.
  std::uint64_t encrypt(std::uint64_t block) const;
  std::uint64_t decrypt(std::uint64_t block) const;

 private:
  std::uint64_t crypt(std::uint64_t block, bool decrypting) const;

  std::array<std::uint64_t, 16> m_subkeys{};  // K1..K16, 48 bits each
};

}  // namespace kestrovane
