#include "macro/Des.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#ifdef KESTROVANE_HAVE_NETTLE
#include <nettle/des.h>
#endif

namespace kestrovane {
namespace {

Des::Block blockOf(std::uint64_t value) {
  Des::Block bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>(value >> (56 - 8 * i));
  return bytes;
}

struct KnownAnswer {
  std::uint64_t key;
  std::uint64_t plain;
  std::uint64_t cipher;
};

// FIPS 81, appendix B (ECB mode): "Now is the time for all " under
// 0123456789ABCDEF.
constexpr KnownAnswer kFips81[] = {
    {0x0123456789ABCDEF, 0x4E6F772069732074, 0x3FA40E8A984D4815},
    {0x0123456789ABCDEF, 0x68652074696D6520, 0x6A271787AB8883F9},
    {0x0123456789ABCDEF, 0x666F7220616C6C20, 0x893D51EC4B563B53},
};

// NIST SP 800-17, appendix A: entries of the variable plaintext (table A.1),
// variable key (A.2), permutation operation (A.3) and substitution table
// (A.4) known-answer tests.
constexpr KnownAnswer kSp80017[] = {
    {0x0101010101010101, 0x8000000000000000, 0x95F8A5E5DD31D900},
    {0x0101010101010101, 0x4000000000000000, 0xDD7F121CA5015619},
    {0x0101010101010101, 0x0000000000000002, 0x06E7EA22CE92708F},
    {0x0101010101010101, 0x0000000000000001, 0x166B40B44ABA4BD6},
    {0x8001010101010101, 0x0000000000000000, 0x95A8D72813DAA94D},
    {0x1046913489980131, 0x0000000000000000, 0x88D55E54F54C97B4},
    {0x7CA110454A1A6E57, 0x01A1D6D039776742, 0x690F5B0D9A26939B},
    {0x0131D9619DC1376E, 0x5CD54CA83DEF57DA, 0x7A389D10354BD271},
    {0x07A1133E4A0B2686, 0x0248D43806F67172, 0x868EBB51CAB4599A},
    {0x3849674C2602319E, 0x51454B582DDF440A, 0x7178876E01F19B2A},
    {0x04B915BA43FEB5B6, 0x42FD443059577FA2, 0xAF37FB421F8C4095},
    {0x0113B970FD34F2CE, 0x059B5E0851CF143A, 0x86A560F10EC6D85B},
    {0x0170F175468FB5E6, 0x0756D8E0774761D2, 0x0CD3DA020021DC09},
};

void checkKnownAnswers(std::span<const KnownAnswer> answers) {
  for (const KnownAnswer& answer : answers) {
    const Des des(blockOf(answer.key));
    EXPECT_EQ(des.encrypt(answer.plain), answer.cipher) << std::hex << answer.key;
    EXPECT_EQ(des.decrypt(answer.cipher), answer.plain) << std::hex << answer.key;
    EXPECT_EQ(des.encrypt(blockOf(answer.plain)), blockOf(answer.cipher));
    EXPECT_EQ(des.decrypt(blockOf(answer.cipher)), blockOf(answer.plain));
  }
}

TEST(Des, Fips81EcbExample) {
  checkKnownAnswers(kFips81);
}

TEST(Des, Sp80017KnownAnswers) {
  checkKnownAnswers(kSp80017);
}

TEST(Des, ClassicWorkedExample) {
  EXPECT_EQ(Des(blockOf(0x133457799BBCDFF1)).encrypt(0x0123456789ABCDEF), 0x85E813540F0AB405u);
}

TEST(Des, ParityBitsAreIgnoredAndWeakKeysAccepted) {
  std::mt19937_64 random(46);
  for (int i = 0; i < 100; ++i) {
    const std::uint64_t key = random();
    const std::uint64_t block = random();
    const std::uint64_t flipped = key ^ (random() & 0x0101010101010101u);
    EXPECT_EQ(Des(blockOf(key)).encrypt(block), Des(blockOf(flipped)).encrypt(block));
  }
  // The all-zero key is weak (encrypting twice is the identity) but usable:
  // 0000... and 0101... differ only in parity.
  const Des weak(blockOf(0));
  EXPECT_EQ(weak.encrypt(0), 0x8CA64DE9C1B123A7u);
  EXPECT_EQ(weak.encrypt(weak.encrypt(0x0123456789ABCDEF)), 0x0123456789ABCDEFu);
}

#ifdef KESTROVANE_HAVE_NETTLE
// nettle's DES, an implementation independent of ours, on random keys and
// blocks; its des_set_key refuses only the weak keys.
TEST(Des, AgreesWithNettle) {
  std::mt19937_64 random(81);
  int compared = 0;
  for (int i = 0; i < 2000; ++i) {
    const Des::Block key = blockOf(random());
    const Des::Block plain = blockOf(random());
    des_ctx context;
    if (des_set_key(&context, key.data()) == 0) continue;
    ++compared;
    Des::Block expected{};
    des_encrypt(&context, expected.size(), expected.data(), plain.data());
    const Des des(key);
    ASSERT_EQ(des.encrypt(plain), expected);
    Des::Block back{};
    des_decrypt(&context, back.size(), back.data(), expected.data());
    ASSERT_EQ(des.decrypt(expected), back);
  }
  EXPECT_GT(compared, 1990);
}
#endif

}  // namespace
}  // namespace kestrovane
