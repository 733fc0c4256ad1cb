#pragma once
// A look-up index over one list of the master store: row numbers sorted by
// the hash of their key, so the rows of one key come out in list order (first
// and last match keep the tie-breaks of a plain scan). The index holds no
// references into the records: every candidate row is checked against the
// key by the caller, so a hash collision or a stale index never yields a row
// whose key does not match. Built lazily; stale when the list's size, buffer
// or the store's change counter moved since it was built.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace pos {

inline std::uint64_t MasterKeyHash(std::initializer_list<std::string_view> aKeys)
{
    std::uint64_t h = 0x243F6A8885A308D3ull;
    for (std::string_view k : aKeys) {
        const std::uint64_t kh = std::hash<std::string_view>{}(k);
        h ^= kh + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
        h *= 0xFF51AFD7ED558CCDull;
    }
    return h ^ (h >> 33);
}

class TMasterIndex {
public:
    // Rebuilds when stale. aHashOf(row) gives the key hash of a row.
    template <class Vec, class HashOf>
    void Ensure(const Vec& aList, std::uint64_t aGeneration, HashOf&& aHashOf)
    {
        if (built_ && data_ == static_cast<const void*>(aList.data()) && size_ == aList.size() &&
            generation_ == aGeneration)
            return;
        std::vector<std::pair<std::uint64_t, int>> entries;
        entries.reserve(aList.size());
        for (std::size_t i = 0; i < aList.size(); ++i) entries.emplace_back(aHashOf(aList[i]), static_cast<int>(i));
        std::sort(entries.begin(), entries.end());
        hashes_.resize(entries.size());
        rows_.resize(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            hashes_[i] = entries[i].first;
            rows_[i] = entries[i].second;
        }
        data_ = aList.data();
        size_ = aList.size();
        generation_ = aGeneration;
        built_ = true;
    }

    // Rows whose key hash is aHash, in ascending row order.
    std::span<const int> Rows(std::uint64_t aHash) const
    {
        const auto [lo, hi] = std::equal_range(hashes_.begin(), hashes_.end(), aHash);
        return {rows_.data() + (lo - hashes_.begin()), static_cast<std::size_t>(hi - lo)};
    }

    void Invalidate() { built_ = false; }

private:
    std::vector<std::uint64_t> hashes_;
    std::vector<int> rows_;
    const void* data_ = nullptr;
    std::size_t size_ = 0;
    std::uint64_t generation_ = 0;
    bool built_ = false;
};

}  // namespace pos
