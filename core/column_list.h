#pragma once
// The ordered list of columns ("TListaColonne"), its column file and text file, and the merge.
// Columns live in one contiguous buffer that can grow at both ends, so Prepend (newest first) and
// Append keep the list order of a linked list without a node per column.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>

#include "core/column.h"

namespace tessaline {

class UserPrompt;
class CancelProbe;
class TProgressSink;

// The most single columns an expansion of read columns may produce: every column of the largest
// forecast (twelve quadruples).
inline constexpr std::int64_t kMaxColonneEspanse = std::int64_t{1} << 24;

// How a save ended: every byte written and the file in place, a failure, or stopped by the probe
// before the file was committed (the previous file then stays byte-identical).
enum class TSaveStatus { Saved, Failed, Cancelled };

class TListaColonne {
public:
    TListaColonne() = default;
    ~TListaColonne();
    TListaColonne(const TListaColonne& other);
    TListaColonne& operator=(const TListaColonne& other);
    TListaColonne(TListaColonne&& other) noexcept;
    TListaColonne& operator=(TListaColonne&& other) noexcept;

    std::size_t Size() const { return size_; }
    std::int32_t Count() const { return static_cast<std::int32_t>(size_); }
    bool Empty() const { return size_ == 0; }

    const Colonna* begin() const { return data_ + head_; }
    const Colonna* end() const { return data_ + head_ + size_; }
    Colonna* begin() { return data_ + head_; }
    Colonna* end() { return data_ + head_ + size_; }
    const Colonna& operator[](std::size_t i) const { return data_[head_ + i]; }
    Colonna& operator[](std::size_t i) { return data_[head_ + i]; }
    std::span<const Colonna> View() const { return {begin(), size_}; }

    // Frees every column; the list becomes empty (storage released).
    void Clear();
    // Makes room for n columns after the last one without reallocating.
    void Reserve(std::size_t n);
    // Adds a copy after the last column. Without memory: the list is emptied and EInOutError
    // "Memoria Esaurita." is raised.
    void Append(const Colonna& c) {
        if (head_ + size_ == capacity_) {
            Grow(capacity_ + 1, false);
        }
        data_[head_ + size_] = c;
        ++size_;
    }
    // Adds n columns after the last one, their contents left for the caller to write, and returns
    // the first of them; same failure as Append.
    Colonna* Extend(std::size_t n) {
        Reserve(size_ + n);
        Colonna* first = data_ + head_ + size_;
        size_ += n;
        return first;
    }
    // Adds a copy before the first column; same failure as Append.
    void Prepend(const Colonna& c);
    // Appends n columns in order.
    void AppendRange(const Colonna* first, std::size_t n);
    // With clearFirst, Clear first; then appends every single column c covers, in expansion order
    // (team order, signs 0, 1, 2, M; an empty set yields nothing).
    void AppendExpanded(const Colonna& c, bool clearFirst);
    // Replaces the list by the expansion of each of its columns, in list order.
    void ExpandAll();
    // Keeps the first n columns.
    void Truncate(std::size_t n);
    // Removes the column at position i, keeping the order of the others.
    void RemoveAt(std::size_t i);
    // Removes every column for which pred is true, keeping the order of the others.
    template <class Pred> std::size_t RemoveIf(Pred pred) {
        Colonna* w = begin();
        for (const Colonna& r : *this) {
            if (!pred(r)) {
                *w++ = r;
            }
        }
        const std::size_t removed = static_cast<std::size_t>(end() - w);
        size_ -= removed;
        return removed;
    }

    // Column file: every column in list order, written atomically in blocks of 1000. True only when
    // every byte was written; on failure the previous file is left as it was.
    bool SaveToFile(const std::filesystem::path& name) const;
    // The same, looking at the probe (may be null) before each block and once more just before the
    // file is committed: a pending press stops the save with nothing written.
    TSaveStatus SaveToFile(const std::filesystem::path& name, CancelProbe* cancel) const;
    // Writes every column at the file's position; stops at the first failed write.
    bool WriteTo(std::FILE* f) const;
    // Clear, then reads every whole record from the file's position to its end (expanding each when
    // asked). A short read keeps what was read and returns false; a read error empties the list,
    // shows "Errore Di Lettura Sul File. Impossibile Leggere le Colonne." (when a prompt is given)
    // and returns false. An expansion that would pass kMaxColonneEspanse single columns (or the
    // file's record count, when larger) empties the list and returns false.
    bool ReadFrom(std::FILE* f, bool expand, UserPrompt* prompt);
    // Opens the file and ReadFrom it; false when it cannot be opened.
    bool LoadFromFile(const std::filesystem::path& name, bool expand, UserPrompt* prompt);

    // Column text file: one line per column (ColumnText), CR LF, written atomically.
    bool SaveText(const std::filesystem::path& name) const;
    // The same, stopped by a pending press on the probe (may be null) up to the commit.
    TSaveStatus SaveText(const std::filesystem::path& name, CancelProbe* cancel) const;
    // Clear, then reads the text file: spaces removed, lines of other than 12 characters skipped,
    // "0", "1", "2", "M", "*" accepted; any other character stops with false (read columns stay).
    bool LoadText(const std::filesystem::path& name, UserPrompt* prompt);

private:
    void Grow(std::size_t minCapacity, bool atFront);
    [[noreturn]] void OutOfMemory();

    Colonna* data_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t head_ = 0;
    std::size_t size_ = 0;
};

// Cost per column times the single columns covered by every entry of the list.
double ColumnsCost(const TListaColonne& list, double costPerColumn);

// Calls sink for every single column c covers, in expansion order, searching from firstTeam on.
template <class Emit> void ExpandColumn(Colonna c, Emit&& sink, int firstTeam = 1) {
    const int t = FirstNonFixed(c, firstTeam);
    if (t == 0) {
        sink(c);
        return;
    }
    const SignSet set = c[t - 1];
    for (int b = 0; b < 4; ++b) {
        if ((set >> b) & 1) {
            c[t - 1] = static_cast<SignSet>(1 << b);
            ExpandColumn(c, sink, t + 1);
        }
    }
}

} // namespace tessaline
