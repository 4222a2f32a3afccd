#include "common/sha256.h"

#include <gtest/gtest.h>

namespace {

// The published examples: the SHA-256 ones of FIPS 180-4 and the HMAC-SHA-256 cases of RFC 4231.
TEST(Sha256, GivesThePublishedDigests) {
    const struct {
        std::string message;
        const char* digest;
    } rows[] = {
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        // 448 bits: the length no longer fits the first block.
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(HexText(Sha256Of(row.message)), row.digest) << row.message.size() << " bytes";
    }
}

TEST(Sha256, TakesAMessageInAnyPieces) {
    const std::string message(200, 'q');
    for (const std::size_t piece : {1u, 3u, 63u, 64u, 65u}) {
        Sha256 hash;
        for (std::size_t at = 0; at < message.size(); at += piece) hash.Add(std::string_view(message).substr(at, piece));
        EXPECT_EQ(hash.Finish(), Sha256Of(message)) << "pieces of " << piece;
    }
}

TEST(HmacSha256, GivesThePublishedDigests) {
    std::string counting;
    for (char c = 1; c <= 25; ++c) counting += c;
    const struct {
        int testCase;
        std::string key;
        std::string data;
        const char* digest;
    } rows[] = {
        {1, std::string(20, '\x0b'), "Hi There", "b0344c61d8db38535ca8afceaf0bf12b881dc200c9833da726e9376c2e32cff7"},
        {2, "Jefe", "what do ya want for nothing?", "5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843"},
        {3, std::string(20, '\xaa'), std::string(50, '\xdd'), "773ea91e36800e46854db8ebd09181a72959098b3ef8c122d9635514ced565fe"},
        {4, counting, std::string(50, '\xcd'), "82558a389a443c0ea4cc819899f2083a85f0faa3e578f8077a2e3ff46729665b"},
        // Keys longer than a block are hashed first.
        {6, std::string(131, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First",
         "60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54"},
        {7, std::string(131, '\xaa'),
         "This is a test using a larger than block-size key and a larger than block-size data. The key needs to be "
         "hashed before being used by the HMAC algorithm.",
         "9b09ffa71b942fcb27635fbcd5b0e944bfdc63644f0713938a7f51535c3a35e2"},
    };
    for (const auto& row : rows) {
        const HmacSha256 hmac(row.key);
        EXPECT_EQ(HexText(hmac.Of(row.data)), row.digest) << "RFC 4231 case " << row.testCase;
        // The prepared key serves message after message.
        EXPECT_EQ(HexText(hmac.Of(row.data)), row.digest) << "RFC 4231 case " << row.testCase << ", again";
    }
}

}  // namespace
