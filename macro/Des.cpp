#include "macro/Des.h"

#include <cstddef>

namespace kestrovane {
namespace {

// The tables of FIPS 46-3. Entries are bit numbers counted from 1 at the most
// significant bit of the input.

// clang-format off
constexpr std::array<std::uint8_t, 64> kInitialPermutation{
    58, 50, 42, 34, 26, 18, 10,  2,
    60, 52, 44, 36, 28, 20, 12,  4,
    62, 54, 46, 38, 30, 22, 14,  6,
    64, 56, 48, 40, 32, 24, 16,  8,
    57, 49, 41, 33, 25, 17,  9,  1,
    59, 51, 43, 35, 27, 19, 11,  3,
    61, 53, 45, 37, 29, 21, 13,  5,
    63, 55, 47, 39, 31, 23, 15,  7,
};

constexpr std::array<std::uint8_t, 64> kFinalPermutation{
    40,  8, 48, 16, 56, 24, 64, 32,
    39,  7, 47, 15, 55, 23, 63, 31,
    38,  6, 46, 14, 54, 22, 62, 30,
    37,  5, 45, 13, 53, 21, 61, 29,
    36,  4, 44, 12, 52, 20, 60, 28,
    35,  3, 43, 11, 51, 19, 59, 27,
    34,  2, 42, 10, 50, 18, 58, 26,
    33,  1, 41,  9, 49, 17, 57, 25,
};

constexpr std::array<std::uint8_t, 48> kExpansion{
    32,  1,  2,  3,  4,  5,
     4,  5,  6,  7,  8,  9,
     8,  9, 10, 11, 12, 13,
    12, 13, 14, 15, 16, 17,
    16, 17, 18, 19, 20, 21,
    20, 21, 22, 23, 24, 25,
    24, 25, 26, 27, 28, 29,
    28, 29, 30, 31, 32,  1,
};

constexpr std::array<std::uint8_t, 32> kPermutation{
    16,  7, 20, 21,
    29, 12, 28, 17,
     1, 15, 23, 26,
     5, 18, 31, 10,
     2,  8, 24, 14,
    32, 27,  3,  9,
    19, 13, 30,  6,
    22, 11,  4, 25,
};

constexpr std::array<std::uint8_t, 56> kPermutedChoice1{
    57, 49, 41, 33, 25, 17,  9,
     1, 58, 50, 42, 34, 26, 18,
    10,  2, 59, 51, 43, 35, 27,
    19, 11,  3, 60, 52, 44, 36,
    63, 55, 47, 39, 31, 23, 15,
     7, 62, 54, 46, 38, 30, 22,
    14,  6, 61, 53, 45, 37, 29,
    21, 13,  5, 28, 20, 12,  4,
};

constexpr std::array<std::uint8_t, 48> kPermutedChoice2{
    14, 17, 11, 24,  1,  5,
     3, 28, 15,  6, 21, 10,
    23, 19, 12,  4, 26,  8,
    16,  7, 27, 20, 13,  2,
    41, 52, 31, 37, 47, 55,
    30, 40, 51, 45, 33, 48,
    44, 49, 39, 56, 34, 53,
    46, 42, 50, 36, 29, 32,
};

// clang-format on

constexpr std::array<std::uint8_t, 16> kLeftShifts{1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

// S1..S8, each as four rows of sixteen columns.
constexpr std::uint8_t kSelection[8][4][16] = {
    {{14, 4, 13, 1, 2, 15, 11, 8, 3, 10, 6, 12, 5, 9, 0, 7},
     {0, 15, 7, 4, 14, 2, 13, 1, 10, 6, 12, 11, 9, 5, 3, 8},
     {4, 1, 14, 8, 13, 6, 2, 11, 15, 12, 9, 7, 3, 10, 5, 0},
     {15, 12, 8, 2, 4, 9, 1, 7, 5, 11, 3, 14, 10, 0, 6, 13}},
    {{15, 1, 8, 14, 6, 11, 3, 4, 9, 7, 2, 13, 12, 0, 5, 10},
     {3, 13, 4, 7, 15, 2, 8, 14, 12, 0, 1, 10, 6, 9, 11, 5},
     {0, 14, 7, 11, 10, 4, 13, 1, 5, 8, 12, 6, 9, 3, 2, 15},
     {13, 8, 10, 1, 3, 15, 4, 2, 11, 6, 7, 12, 0, 5, 14, 9}},
    {{10, 0, 9, 14, 6, 3, 15, 5, 1, 13, 12, 7, 11, 4, 2, 8},
     {13, 7, 0, 9, 3, 4, 6, 10, 2, 8, 5, 14, 12, 11, 15, 1},
     {13, 6, 4, 9, 8, 15, 3, 0, 11, 1, 2, 12, 5, 10, 14, 7},
     {1, 10, 13, 0, 6, 9, 8, 7, 4, 15, 14, 3, 11, 5, 2, 12}},
    {{7, 13, 14, 3, 0, 6, 9, 10, 1, 2, 8, 5, 11, 12, 4, 15},
     {13, 8, 11, 5, 6, 15, 0, 3, 4, 7, 2, 12, 1, 10, 14, 9},
     {10, 6, 9, 0, 12, 11, 7, 13, 15, 1, 3, 14, 5, 2, 8, 4},
     {3, 15, 0, 6, 10, 1, 13, 8, 9, 4, 5, 11, 12, 7, 2, 14}},
    {{2, 12, 4, 1, 7, 10, 11, 6, 8, 5, 3, 15, 13, 0, 14, 9},
     {14, 11, 2, 12, 4, 7, 13, 1, 5, 0, 15, 10, 3, 9, 8, 6},
     {4, 2, 1, 11, 10, 13, 7, 8, 15, 9, 12, 5, 6, 3, 0, 14},
     {11, 8, 12, 7, 1, 14, 2, 13, 6, 15, 0, 9, 10, 4, 5, 3}},
    {{12, 1, 10, 15, 9, 2, 6, 8, 0, 13, 3, 4, 14, 7, 5, 11},
     {10, 15, 4, 2, 7, 12, 9, 5, 6, 1, 13, 14, 0, 11, 3, 8},
     {9, 14, 15, 5, 2, 8, 12, 3, 7, 0, 4, 10, 1, 13, 11, 6},
     {4, 3, 2, 12, 9, 5, 15, 10, 11, 14, 1, 7, 6, 0, 8, 13}},
    {{4, 11, 2, 14, 15, 0, 8, 13, 3, 12, 9, 7, 5, 10, 6, 1},
     {13, 0, 11, 7, 4, 9, 1, 10, 14, 3, 5, 12, 2, 15, 8, 6},
     {1, 4, 11, 13, 12, 3, 7, 14, 10, 15, 6, 8, 0, 5, 9, 2},
     {6, 11, 13, 8, 1, 4, 10, 7, 9, 5, 0, 15, 14, 2, 3, 12}},
    {{13, 2, 8, 4, 6, 15, 11, 1, 10, 9, 3, 14, 5, 0, 12, 7},
     {1, 15, 13, 8, 10, 3, 7, 4, 12, 5, 6, 11, 0, 14, 9, 2},
     {7, 11, 4, 1, 9, 12, 14, 2, 0, 6, 10, 13, 15, 3, 5, 8},
     {2, 1, 14, 7, 4, 10, 8, 13, 15, 12, 9, 0, 3, 5, 6, 11}}};

// Picks the bits that table names out of an input of inputBits bits; the
// first entry becomes the most significant bit of the result.
template <std::size_t N>
constexpr std::uint64_t permute(std::uint64_t input, unsigned inputBits,
                                const std::array<std::uint8_t, N>& table) {
  std::uint64_t output = 0;
  for (const std::uint8_t bit : table) output = (output << 1) | ((input >> (inputBits - bit)) & 1u);
  return output;
}

// For each S-box and each 6-bit input: the box's 4-bit output at its place in
// the 32-bit word, already passed through P. The row is made of the first
// and last input bits, the column of the middle four.
constexpr std::array<std::array<std::uint32_t, 64>, 8> makeSelectionThenPermutation() {
  std::array<std::array<std::uint32_t, 64>, 8> table{};
  for (unsigned box = 0; box < 8; ++box) {
    for (unsigned input = 0; input < 64; ++input) {
      const unsigned rowIndex = ((input >> 4) & 2u) | (input & 1u);
      const unsigned column = (input >> 1) & 0xFu;
      const std::uint64_t placed = std::uint64_t{kSelection[box][rowIndex][column]}
                                   << (28 - 4 * box);
      table[box][input] = static_cast<std::uint32_t>(permute(placed, 32, kPermutation));
    }
  }
  return table;
}
constexpr auto kSelectionThenPermutation = makeSelectionThenPermutation();

// E by shifts: its eight 6-bit rows are bits 4j..4j+5 of R with bit 32
// before bit 1 and bit 1 after bit 32, a 34-bit window slid by four.
constexpr std::uint64_t expand(std::uint32_t right) {
  const std::uint64_t window =
      (std::uint64_t{right & 1u} << 33) | (std::uint64_t{right} << 1) | (right >> 31);
  std::uint64_t expanded = 0;
  for (unsigned row = 0; row < 8; ++row)
    expanded = (expanded << 6) | ((window >> (28 - 4 * row)) & 0x3Fu);
  return expanded;
}

constexpr bool expandIsTheExpansionTable() {
  for (unsigned bit = 0; bit < 32; ++bit)
    if (expand(1u << bit) != permute(std::uint64_t{1} << bit, 32, kExpansion)) return false;
  return expand(0xFFFFFFFFu) == 0xFFFFFFFFFFFFu;
}
static_assert(expandIsTheExpansionTable());

// A 64-bit permutation as eight lookups, one per input byte: entry [i][v] is
// the output of an input whose byte i is v and all other bits 0.
using BytePermutation = std::array<std::array<std::uint64_t, 256>, 8>;

constexpr BytePermutation byteTables(const std::array<std::uint8_t, 64>& table) {
  BytePermutation tables{};
  for (unsigned byte = 0; byte < 8; ++byte)
    for (unsigned value = 0; value < 256; ++value)
      tables[byte][value] = permute(std::uint64_t{value} << (56 - 8 * byte), 64, table);
  return tables;
}
constexpr BytePermutation kInitialPermutationBytes = byteTables(kInitialPermutation);
constexpr BytePermutation kFinalPermutationBytes = byteTables(kFinalPermutation);

std::uint64_t permuteBytes(std::uint64_t input, const BytePermutation& tables) {
  std::uint64_t output = 0;
  for (unsigned byte = 0; byte < 8; ++byte)
    output |= tables[byte][(input >> (56 - 8 * byte)) & 0xFFu];
  return output;
}

constexpr std::uint32_t cipherFunction(std::uint32_t right, std::uint64_t subkey) {
  const std::uint64_t expanded = expand(right) ^ subkey;
  std::uint32_t output = 0;
  for (unsigned box = 0; box < 8; ++box)
    output |= kSelectionThenPermutation[box][(expanded >> (42 - 6 * box)) & 0x3Fu];
  return output;
}

constexpr std::uint32_t rotateLeft28(std::uint32_t half, unsigned count) {
  return ((half << count) | (half >> (28 - count))) & 0x0FFFFFFFu;
}

std::uint64_t load(std::span<const std::uint8_t, 8> bytes) {
  std::uint64_t value = 0;
  for (const std::uint8_t byte : bytes) value = (value << 8) | byte;
  return value;
}

Des::Block store(std::uint64_t value) {
  Des::Block bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>(value >> (56 - 8 * i));
  return bytes;
}

}  // namespace

Des::Des(std::span<const std::uint8_t, 8> key) {
  // PC-1 never picks bits 8, 16, ..., 64: the parity bits play no part.
  const std::uint64_t chosen = permute(load(key), 64, kPermutedChoice1);
  std::uint32_t c = static_cast<std::uint32_t>(chosen >> 28);
  std::uint32_t d = static_cast<std::uint32_t>(chosen & 0x0FFFFFFFu);
  for (std::size_t round = 0; round < m_subkeys.size(); ++round) {
    c = rotateLeft28(c, kLeftShifts[round]);
    d = rotateLeft28(d, kLeftShifts[round]);
    m_subkeys[round] = permute((std::uint64_t{c} << 28) | d, 56, kPermutedChoice2);
  }
}

std::uint64_t Des::crypt(std::uint64_t block, bool decrypting) const {
  const std::uint64_t permuted = permuteBytes(block, kInitialPermutationBytes);
  std::uint32_t left = static_cast<std::uint32_t>(permuted >> 32);
  std::uint32_t right = static_cast<std::uint32_t>(permuted);
  for (std::size_t round = 0; round < m_subkeys.size(); ++round) {
    const std::uint64_t subkey = m_subkeys[decrypting ? m_subkeys.size() - 1 - round : round];
    const std::uint32_t next = left ^ cipherFunction(right, subkey);
    left = right;
    right = next;
  }
  // The last round's halves are not swapped: the preoutput is R16 L16.
  return permuteBytes((std::uint64_t{right} << 32) | left, kFinalPermutationBytes);
}

std::uint64_t Des::encrypt(std::uint64_t block) const {
  return crypt(block, false);
}

std::uint64_t Des::decrypt(std::uint64_t block) const {
  return crypt(block, true);
}

Des::Block Des::encrypt(std::span<const std::uint8_t, 8> block) const {
  return store(encrypt(load(block)));
}

Des::Block Des::decrypt(std::span<const std::uint8_t, 8> block) const {
  return store(decrypt(load(block)));
}

}  // namespace kestrovane
