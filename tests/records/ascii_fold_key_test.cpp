// The proof of the code lists' ASCII fast path: for every collation it is
// used with, equality of collation keys and equality after ASCII case
// folding split the same strings into the same classes.
#include "records/ascii_fold_key.h"

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include <gtest/gtest.h>

#include "platform/collation.h"

namespace tvz {
namespace {

using KeyFunction = std::function<std::string(const std::string&)>;

constexpr char kFirst = 0x20, kLast = 0x7E;

// Every string of up to two covered characters.
std::vector<std::string> AllShortStrings() {
  std::vector<std::string> out = {""};
  for (char a = kFirst; a <= kLast; ++a) {
    out.push_back(std::string(1, a));
    for (char b = kFirst; b <= kLast; ++b) out.push_back(std::string{a, b});
  }
  return out;
}

// `count` random strings of 3 to 10 covered characters, each followed by a
// copy in random letter case and a copy with one character changed: without
// them, two random strings would almost never be equal.
std::vector<std::string> RandomStrings(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> length(3, 10), character(kFirst, kLast), coin(0, 1);
  std::vector<std::string> out;
  for (std::size_t i = 0; i < count; ++i) {
    std::string s(static_cast<std::size_t>(length(random)), ' ');
    for (char& c : s) c = static_cast<char>(character(random));
    std::string recased = s;
    for (char& c : recased) {
      if (coin(random)) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      else c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    std::string changed = recased;
    changed[std::uniform_int_distribution<std::size_t>(0, s.size() - 1)(random)] =
        static_cast<char>(character(random));
    out.push_back(std::move(s));
    out.push_back(std::move(recased));
    out.push_back(std::move(changed));
  }
  return out;
}

// The first pair of strings on which the two equalities disagree, as text;
// nullopt when there is none.
std::optional<std::string> Disagreement(const std::vector<std::string>& strings,
                                        const KeyFunction& key) {
  std::unordered_map<std::string, std::string> by_fold, by_key;  // -> first string
  for (const std::string& s : strings) {
    if (!IsAsciiFoldable(s)) return "'" + s + "' is not covered";
    const std::string k = key(s);
    auto [f, new_fold] = by_fold.try_emplace(AsciiFolded(s), s);
    if (!new_fold && key(f->second) != k) return "'" + f->second + "' and '" + s + "' fold alike, collate apart";
    auto [c, new_key] = by_key.try_emplace(k, s);
    if (!new_key && AsciiFolded(c->second) != AsciiFolded(s))
      return "'" + c->second + "' and '" + s + "' collate alike, fold apart";
  }
  return std::nullopt;
}

// The locale each covered language is proven in.
std::string LocaleOf(std::string_view language) {
  if (language.empty()) return "";
  if (language == "en") return "en_US";
  return std::string(language) + "_ES";
}

class AsciiFoldProof : public testing::TestWithParam<std::string_view> {};

TEST_P(AsciiFoldProof, FoldingIsCollationEquality) {
  const std::string locale = LocaleOf(GetParam());
  const KeyFunction key = [&](const std::string& s) { return platform::CollationKeyIn(locale, s); };
  EXPECT_EQ(Disagreement(AllShortStrings(), key), std::nullopt);
  EXPECT_EQ(Disagreement(RandomStrings(100000, 1234), key), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(CoveredLanguages, AsciiFoldProof, testing::ValuesIn(kAsciiFoldLanguages),
                         [](const auto& info) {
                           return info.param.empty() ? std::string("root") : std::string(info.param);
                         });

// The program's own comparison (the user's collation), where the fast path is
// used with it.
TEST(AsciiFoldKey, TheUserCollationAgreesWhereTheFastPathIsUsed) {
  if (!AsciiFoldingIsCollationEquality())
    GTEST_SKIP() << "the user's collation (" << platform::CollationLanguage() << ") is not covered";
  const KeyFunction key = [](const std::string& s) { return platform::CollationKey(s); };
  EXPECT_EQ(Disagreement(AllShortStrings(), key), std::nullopt);
  EXPECT_EQ(Disagreement(RandomStrings(20000, 99), key), std::nullopt);
}

// The proof is not vacuous: in Turkish, I and i are different letters (ICU).
TEST(AsciiFoldKey, TheProofFindsALanguageWhereFoldingIsWrong) {
#ifdef _WIN32
  GTEST_SKIP() << "LCMapString ignores case without Turkish rules";
#else
  const KeyFunction key = [](const std::string& s) { return platform::CollationKeyIn("tr_TR", s); };
  EXPECT_NE(Disagreement(AllShortStrings(), key), std::nullopt);
#endif
}

TEST(AsciiFoldKey, CoversPrintableAsciiOnly) {
  const struct {
    std::string_view code;
    bool covered;
  } cases[] = {{"", true},       {"MAT 1", true},       {"a~}", true}, {"ESPA\xD1", false},
               {"A\tB", false},  {std::string_view("A\0", 2), false}, {"\x7F", false},
               {"caf\xE9", false}};
  for (const auto& c : cases) EXPECT_EQ(IsAsciiFoldable(c.code), c.covered) << c.code;
  EXPECT_EQ(AsciiFolded("mAt-1~z"), "MAT-1~Z");
}

}  // namespace
}  // namespace tvz
