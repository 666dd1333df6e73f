// The transposition table of the strong solvers: bounds of the exact final scores of positions.
//
// A position is keyed by the discs of the side to move and of its opponent and by its number of empty
// squares. The table is a fixed array of buckets of one cache line each, holding two entries: one kept for
// the position with more empty squares, one always replaced. It is allocated once, when its owner creates
// it, and never while a solve runs. The bounds belong to the position alone, so they stay valid from one
// solve to the next, and a cleared table gives every solve the same values as a filled one, only later.
//
// Whoever solves owns a table and hands it to every solve (the computer player keeps one for the game, the
// best-move analysis and the benchmark their own). One solve at a time uses a table. The threads of one
// solve share it: while it is marked shared, Probe, Cut and Store each hold the small spin lock of their
// bucket, so that no thread reads a bucket half written; a table one thread uses takes no lock.
#pragma once

#include "Bitboard.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

namespace kalvoro::engine {

// The largest final score, every disc of one side.
constexpr int MaxScore = 64;

// Beyond every final score (-64 to 64): the bounds of a position nothing is known of.
constexpr int ExactInfinity = MaxScore + 1;

// The move of a position nothing is known of.
constexpr int NoTableMove = 64;

// A node's window as the table narrows it, and the best move the table knows for the node.
struct TTableWindow {
    int alpha;
    int beta;
    int move = NoTableMove;
};

class TExactTable {
public:
    TExactTable()
        : buckets_(new TBucket[BucketCount])
    {
    }

    // The memory the table holds.
    static constexpr std::size_t SizeInBytes() { return BucketCount * sizeof(TBucket); }

    // Forgets everything, so that a timing starts from nothing known (the benchmark).
    void Clear()
    {
        for (std::size_t index = 0; index < BucketCount; ++index) {
            buckets_[index].entries = {};
        }
    }

    // Probe, Cut and Store lock their bucket, for several threads at once, from Share to the matching
    // Unshare; the pairs may nest (root moves solved at once, each on several threads). Called while no
    // solve runs, or by the threads of solves that an outer pair already shares the table for, so that the
    // count never falls to zero while another thread uses the table.
    void Share() { sharers_.fetch_add(1, std::memory_order_relaxed); }
    void Unshare() { sharers_.fetch_sub(1, std::memory_order_relaxed); }

    // The value that settles a node searched in `window` when the stored bounds already do; otherwise
    // nothing, with `window` narrowed to the stored bounds and its move set to the stored best move.
    std::optional<int> Probe(TBits own, TBits opponent, int empties, TTableWindow& window) const
    {
        const std::size_t index = IndexOf(own, opponent);
        const TLockGuard guard = LockFor(index);
        for (const TEntry& entry : buckets_[index].entries) {
            if (entry.own == own && entry.opponent == opponent && entry.empties == empties) {
                if (entry.lower >= window.beta || entry.lower == entry.upper) {
                    return entry.lower;
                }
                if (entry.upper <= window.alpha) {
                    return entry.upper;
                }
                window.alpha = std::max(window.alpha, static_cast<int>(entry.lower));
                window.beta = std::min(window.beta, static_cast<int>(entry.upper));
                window.move = entry.move;
            }
        }
        return std::nullopt;
    }

    // A value of at least `beta` for the parent of the position (own to move, `empties` empty squares) when
    // the table bounds that child's score at or below -beta: the parent fails high on it without a search.
    std::optional<int> Cut(TBits own, TBits opponent, int empties, int beta) const
    {
        const std::size_t index = IndexOf(own, opponent);
        const TLockGuard guard = LockFor(index);
        for (const TEntry& entry : buckets_[index].entries) {
            if (entry.own == own && entry.opponent == opponent && entry.empties == empties
                && -entry.upper >= beta) {
                return -entry.upper;
            }
        }
        return std::nullopt;
    }

    // Keeps what a search of the node in [alpha, beta] found: `best` is a lower bound when above alpha, an
    // upper bound when below beta, and `bestMove` the move that gave it.
    void Store(TBits own, TBits opponent, int empties, int alpha, int beta, int best, int bestMove)
    {
        const std::size_t index = IndexOf(own, opponent);
        const TLockGuard guard = LockFor(index);
        TBucket& bucket = buckets_[index];
        TEntry* entry = &bucket.entries[1];
        const TEntry& kept = bucket.entries[0];
        if ((kept.own == own && kept.opponent == opponent) || kept.empties <= empties) {
            entry = &bucket.entries[0];
        }
        if (entry->own != own || entry->opponent != opponent || entry->empties != empties) {
            *entry = TEntry { own, opponent, -ExactInfinity, ExactInfinity, NoTableMove,
                static_cast<std::uint8_t>(empties) };
        }
        if (best > alpha) {
            entry->lower = static_cast<std::int8_t>(std::max(static_cast<int>(entry->lower), best));
        }
        if (best < beta) {
            entry->upper = static_cast<std::int8_t>(std::min(static_cast<int>(entry->upper), best));
        }
        entry->move = static_cast<std::uint8_t>(bestMove);
    }

    // Starts fetching the position's bucket from memory, for a probe soon after.
    void Prefetch(TBits own, TBits opponent) const { __builtin_prefetch(&buckets_[IndexOf(own, opponent)]); }

private:
    struct TEntry {
        TBits own = 0;
        TBits opponent = 0;
        std::int8_t lower = -ExactInfinity;
        std::int8_t upper = ExactInfinity;
        std::uint8_t move = NoTableMove;
        std::uint8_t empties = 0;
    };

    // The lock shares the bucket's cache line, which the thread that takes it reads next anyway. With 4096
    // locks of their own, packed into 64 cache lines, those lines kept moving between the cores: two threads
    // solved the endgame test positions about a tenth slower.
    struct alignas(64) TBucket {
        std::array<TEntry, 2> entries;
        mutable std::atomic<bool> locked = false;
    };
    static_assert(sizeof(TBucket) == 64, "a bucket is one cache line");

    static constexpr int IndexBits = 18;
    static constexpr std::size_t BucketCount = std::size_t { 1 } << IndexBits;

    static std::size_t IndexOf(TBits own, TBits opponent)
    {
        const TBits mixed = (own ^ (opponent * 0x9E3779B97F4A7C15ULL)) * 0xC2B2AE3D27D4EB4FULL;
        return static_cast<std::size_t>(mixed >> (64 - IndexBits));
    }

    // Holds the spin lock of a bucket for its lifetime, or nothing for a table one thread uses.
    class TLockGuard {
    public:
        explicit TLockGuard(std::atomic<bool>* lock)
            : lock_(lock)
        {
            if (lock_ != nullptr) {
                // A holder preempted by the system would keep a plain spinner busy for a time slice.
                while (lock_->exchange(true, std::memory_order_acquire)) {
                    while (lock_->load(std::memory_order_relaxed)) {
                        std::this_thread::yield();
                    }
                }
            }
        }
        ~TLockGuard()
        {
            if (lock_ != nullptr) {
                lock_->store(false, std::memory_order_release);
            }
        }
        TLockGuard(const TLockGuard&) = delete;
        TLockGuard& operator=(const TLockGuard&) = delete;

    private:
        std::atomic<bool>* lock_;
    };

    TLockGuard LockFor(std::size_t index) const
    {
        return TLockGuard(sharers_.load(std::memory_order_relaxed) > 0 ? &buckets_[index].locked : nullptr);
    }

    std::unique_ptr<TBucket[]> buckets_;
    std::atomic<int> sharers_ = 0;
};

// Shares a table for as long as it lives, when asked to.
class TTableSharing {
public:
    TTableSharing(TExactTable& table, bool shared)
        : table_(shared ? &table : nullptr)
    {
        if (table_ != nullptr) {
            table_->Share();
        }
    }
    ~TTableSharing()
    {
        if (table_ != nullptr) {
            table_->Unshare();
        }
    }
    TTableSharing(const TTableSharing&) = delete;
    TTableSharing& operator=(const TTableSharing&) = delete;

private:
    TExactTable* table_;
};

} // namespace kalvoro::engine
