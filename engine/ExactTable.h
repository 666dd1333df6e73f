// The transposition table of the strong solvers: bounds of the exact final scores of positions.
//
// A position is keyed by the discs of the side to move and of its opponent and by its number of empty
// squares. The table is a fixed array of buckets of one cache line each, holding three entries: two kept for
// the positions with more empty squares, one always replaced. It is allocated once, when its owner creates
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
            buckets_[index].Reset();
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
        const TBucket& bucket = buckets_[index];
        for (std::size_t way = 0; way < Ways; ++way) {
            const TBounds& entry = bucket.bounds[way];
            if (bucket.Holds(way, own, opponent, empties)) {
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
        const TBucket& bucket = buckets_[index];
        for (std::size_t way = 0; way < Ways; ++way) {
            if (bucket.Holds(way, own, opponent, empties) && -bucket.bounds[way].upper >= beta) {
                return -bucket.bounds[way].upper;
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
        const std::size_t way = bucket.WayFor(own, opponent, empties);
        TBounds* entry = &bucket.bounds[way];
        if (!bucket.Holds(way, own, opponent, empties)) {
            bucket.own[way] = own;
            bucket.opponent[way] = opponent;
            *entry = TBounds { .empties = static_cast<std::uint8_t>(empties) };
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
    struct TBounds {
        std::int8_t lower = -ExactInfinity;
        std::int8_t upper = ExactInfinity;
        std::uint8_t move = NoTableMove;
        std::uint8_t empties = 0;
    };
    static constexpr std::size_t Ways = 3;

    // The discs of the three entries stand apart from their bounds, so that the three fit one cache line
    // beside the bucket's lock; two entries to a bucket visited 6 % more deep nodes on the 26-empty endgame
    // test position. The lock shares the line, which the thread that takes it reads next anyway: with 4096
    // locks of their own, packed into 64 cache lines, those lines kept moving between the cores, and two
    // threads solved the endgame test positions about a tenth slower.
    struct alignas(64) TBucket {
        std::array<TBits, Ways> own {};
        std::array<TBits, Ways> opponent {};
        std::array<TBounds, Ways> bounds {};
        mutable std::atomic<bool> locked = false;

        bool Holds(std::size_t way, TBits ownDiscs, TBits opponentDiscs, int empties) const
        {
            return own[way] == ownDiscs && opponent[way] == opponentDiscs && bounds[way].empties == empties;
        }
        void Reset()
        {
            own = {};
            opponent = {};
            bounds = {};
        }
        // The entry that keeps a position: its own when it has one; otherwise that of the first two holding
        // fewer empty squares, when the position has at least as many, or else the third.
        std::size_t WayFor(TBits ownDiscs, TBits opponentDiscs, int empties) const
        {
            for (std::size_t way = 0; way < Ways; ++way) {
                if (Holds(way, ownDiscs, opponentDiscs, empties)) {
                    return way;
                }
            }
            const std::size_t shallower = bounds[0].empties <= bounds[1].empties ? 0 : 1;
            return bounds[shallower].empties <= empties ? shallower : 2;
        }
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
