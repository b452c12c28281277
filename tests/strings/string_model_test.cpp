// Random operation sequences on B2String1 against the reference model in StringModel.h.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "tests/strings/StringModel.h"

namespace {

uint32_t BaseSeed() {
  const char* env = std::getenv("LINSIFT_SEED");
  return env ? static_cast<uint32_t>(std::strtoul(env, nullptr, 10)) : 20261208u;
}

TEST(B2String1Model, RandomSequencesMatchTheReferenceModel) {
  const uint32_t base = BaseSeed();
  for (uint32_t i = 0; i < 3000; i++) {
    const uint32_t seed = base + i;
    std::mt19937 rng(seed);
    std::vector<uint8_t> bytes(200 + rng() % 1200);
    for (auto& b : bytes) b = static_cast<uint8_t>(rng());
    const std::string failure = stringmodel::RunSequence(bytes.data(), bytes.size());
    ASSERT_EQ(failure, "") << "rerun with LINSIFT_SEED=" << seed;
  }
}

}  // namespace
