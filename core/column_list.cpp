#include "core/column_list.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <sys/stat.h>

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/interfaces.h"

namespace tessaline {

namespace {
constexpr std::size_t kBlockColumns = 1000;
constexpr std::size_t kBlockBytes = kBlockColumns * sizeof(Colonna);

} // namespace

TListaColonne::~TListaColonne() {
    std::free(data_);
}

TListaColonne::TListaColonne(const TListaColonne& other) {
    if (other.size_ > 0) {
        Grow(other.size_, false);
        std::memcpy(data_, other.begin(), other.size_ * sizeof(Colonna));
        size_ = other.size_;
    }
}

TListaColonne& TListaColonne::operator=(const TListaColonne& other) {
    if (this != &other) {
        TListaColonne copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TListaColonne::TListaColonne(TListaColonne&& other) noexcept
    : data_(other.data_), capacity_(other.capacity_), head_(other.head_), size_(other.size_) {
    other.data_ = nullptr;
    other.capacity_ = other.head_ = other.size_ = 0;
}

TListaColonne& TListaColonne::operator=(TListaColonne&& other) noexcept {
    if (this != &other) {
        std::free(data_);
        data_ = other.data_;
        capacity_ = other.capacity_;
        head_ = other.head_;
        size_ = other.size_;
        other.data_ = nullptr;
        other.capacity_ = other.head_ = other.size_ = 0;
    }
    return *this;
}

void TListaColonne::Clear() {
    std::free(data_);
    data_ = nullptr;
    capacity_ = head_ = size_ = 0;
}

void TListaColonne::OutOfMemory() {
    Clear();
    throw EInOutError(msg::kMemoriaEsaurita);
}

// Grows the buffer to hold at least minCapacity columns. Growing at the back keeps the head where
// it is (realloc); growing at the front puts all the new room before the first column.
void TListaColonne::Grow(std::size_t minCapacity, bool atFront) {
    std::size_t cap = std::max<std::size_t>(capacity_ + capacity_ / 2, 64);
    cap = std::max(cap, minCapacity);
    if (cap > (std::size_t{1} << 40) / sizeof(Colonna)) {
        OutOfMemory();
    }
    if (!atFront) {
        auto* p = static_cast<Colonna*>(std::realloc(data_, cap * sizeof(Colonna)));
        if (p == nullptr) {
            OutOfMemory();
        }
        data_ = p;
        capacity_ = cap;
        return;
    }
    auto* p = static_cast<Colonna*>(std::malloc(cap * sizeof(Colonna)));
    if (p == nullptr) {
        OutOfMemory();
    }
    const std::size_t newHead = cap - (capacity_ - head_);
    if (size_ > 0) {
        std::memcpy(p + newHead, data_ + head_, size_ * sizeof(Colonna));
    }
    std::free(data_);
    data_ = p;
    head_ = newHead;
    capacity_ = cap;
}

void TListaColonne::Reserve(std::size_t n) {
    if (head_ + n > capacity_) {
        Grow(head_ + n, false);
    }
}

void TListaColonne::Prepend(const Colonna& c) {
    if (head_ == 0) {
        Grow(capacity_ + 1, true);
    }
    --head_;
    data_[head_] = c;
    ++size_;
}

void TListaColonne::AppendRange(const Colonna* first, std::size_t n) {
    if (n == 0) {
        return;
    }
    Reserve(size_ + n);
    std::memcpy(data_ + head_ + size_, first, n * sizeof(Colonna));
    size_ += n;
}

void TListaColonne::AppendExpanded(const Colonna& c, bool clearFirst) {
    if (clearFirst) {
        Clear();
    }
    ExpandColumn(c, [this](const Colonna& single) { Append(single); });
}

void TListaColonne::ExpandAll() {
    TListaColonne expanded;
    for (const Colonna& c : *this) {
        expanded.AppendExpanded(c, false);
    }
    *this = std::move(expanded);
}

void TListaColonne::Truncate(std::size_t n) {
    size_ = std::min(size_, n);
}

void TListaColonne::RemoveAt(std::size_t i) {
    if (i >= size_) {
        return;
    }
    Colonna* p = begin() + i;
    std::memmove(p, p + 1, (size_ - i - 1) * sizeof(Colonna));
    --size_;
}

bool TListaColonne::WriteTo(std::FILE* f) const {
    for (std::size_t done = 0; done < size_; done += kBlockColumns) {
        const std::size_t n = std::min(kBlockColumns, size_ - done);
        if (std::fwrite(begin() + done, sizeof(Colonna), n, f) != n) {
            return false;
        }
    }
    return true;
}

bool TListaColonne::SaveToFile(const std::filesystem::path& name) const {
    return SaveToFile(name, nullptr) == TSaveStatus::Saved;
}

namespace {
bool Pending(CancelProbe* cancel) {
    return cancel != nullptr && cancel->Peek();
}
} // namespace

TSaveStatus TListaColonne::SaveToFile(const std::filesystem::path& name, CancelProbe* cancel) const {
    if (Pending(cancel)) {
        return TSaveStatus::Cancelled;
    }
    TAtomicFile file(name);
    if (!file.IsOpen()) {
        return TSaveStatus::Failed;
    }
    for (std::size_t done = 0; done < size_; done += kBlockColumns) {
        const std::size_t n = std::min(kBlockColumns, size_ - done);
        if (Pending(cancel)) {
            return TSaveStatus::Cancelled;
        }
        if (!file.Write(begin() + done, n * sizeof(Colonna))) {
            return TSaveStatus::Failed;
        }
    }
    if (Pending(cancel)) {
        return TSaveStatus::Cancelled;
    }
    return file.Commit() ? TSaveStatus::Saved : TSaveStatus::Failed;
}

bool TListaColonne::ReadFrom(std::FILE* f, bool expand, UserPrompt* prompt) {
    Clear();
    const long start = std::ftell(f);
    std::uint64_t remaining = 0;
    struct stat st {};
    if (start >= 0 && ::fstat(::fileno(f), &st) == 0 && st.st_size > start) {
        remaining = static_cast<std::uint64_t>(st.st_size - start);
    }
    const std::uint64_t fullBlocks = remaining / kBlockBytes;
    const std::size_t lastRecords = static_cast<std::size_t>((remaining % kBlockBytes) / sizeof(Colonna));
    if (!expand) {
        Reserve(static_cast<std::size_t>(remaining / sizeof(Colonna)));
    }
    Colonna buffer[kBlockColumns];
    const auto expandLimit =
        std::max<std::int64_t>(kMaxColonneEspanse, static_cast<std::int64_t>(remaining / sizeof(Colonna)));
    std::int64_t expanded = 0;
    for (std::uint64_t block = 0; block <= fullBlocks; ++block) {
        const std::size_t want = block < fullBlocks ? kBlockColumns : lastRecords;
        if (want == 0) {
            break;
        }
        const std::size_t got = std::fread(buffer, sizeof(Colonna), want, f);
        if (got != want) {
            if (std::ferror(f) != 0) {
                Clear();
                if (prompt != nullptr) {
                    prompt->ShowMessage(msg::kInformazione, msg::kErroreLetturaColonne, BtnOk);
                }
            }
            return false;
        }
        MaskSigns(buffer, got);
        if (expand) {
            for (std::size_t i = 0; i < got; ++i) {
                expanded += ColumnsCovered(buffer[i]);
                if (expanded > expandLimit) {
                    Clear();
                    return false;
                }
                AppendExpanded(buffer[i], false);
            }
        } else {
            AppendRange(buffer, got);
        }
    }
    return true;
}

bool TListaColonne::LoadFromFile(const std::filesystem::path& name, bool expand, UserPrompt* prompt) {
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (f == nullptr) {
        Clear();
        return false;
    }
    const bool ok = ReadFrom(f, expand, prompt);
    std::fclose(f);
    return ok;
}

bool TListaColonne::SaveText(const std::filesystem::path& name) const {
    return SaveText(name, nullptr) == TSaveStatus::Saved;
}

TSaveStatus TListaColonne::SaveText(const std::filesystem::path& name, CancelProbe* cancel) const {
    if (Pending(cancel)) {
        return TSaveStatus::Cancelled;
    }
    TAtomicFile file(name);
    if (!file.IsOpen()) {
        return TSaveStatus::Failed;
    }
    std::string chunk;
    chunk.reserve(kBlockColumns * 16);
    for (std::size_t i = 0; i < size_; ++i) {
        chunk += ColumnText((*this)[i]);
        chunk += "\r\n";
        if (chunk.size() >= kBlockColumns * 14) {
            if (Pending(cancel)) {
                return TSaveStatus::Cancelled;
            }
            if (!file.Write(chunk.data(), chunk.size())) {
                return TSaveStatus::Failed;
            }
            chunk.clear();
        }
    }
    if (!file.Write(chunk.data(), chunk.size())) {
        return TSaveStatus::Failed;
    }
    if (Pending(cancel)) {
        return TSaveStatus::Cancelled;
    }
    return file.Commit() ? TSaveStatus::Saved : TSaveStatus::Failed;
}

namespace {
// Reads one line (without its LF and a CR before it) into line; false at the end of the file.
bool ReadLine(std::FILE* f, std::string& line) {
    line.clear();
    int ch = 0;
    bool any = false;
    while ((ch = std::getc(f)) != EOF) {
        any = true;
        if (ch == '\n') {
            break;
        }
        line.push_back(static_cast<char>(ch));
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return any;
}
} // namespace

bool TListaColonne::LoadText(const std::filesystem::path& name, UserPrompt* prompt) {
    Clear();
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (f == nullptr) {
        if (prompt != nullptr) {
            prompt->ShowMessage(msg::kInformazione, msg::kErroreLetturaColonne, BtnOk);
        }
        return false;
    }
    std::string line;
    std::string packed;
    bool ok = true;
    while (ok && ReadLine(f, line)) {
        packed.clear();
        for (char ch : line) {
            if (ch != ' ') {
                packed.push_back(ch);
            }
        }
        if (packed.size() != kTeams) {
            continue;
        }
        Colonna c;
        for (int i = 0; i < kTeams && ok; ++i) {
            switch (packed[static_cast<std::size_t>(i)]) {
            case '0':
                c[i] = kSign0;
                break;
            case '1':
                c[i] = kSign1;
                break;
            case '2':
                c[i] = kSign2;
                break;
            case 'M':
                c[i] = kSignM;
                break;
            case '*':
                c[i] = 0;
                break;
            default:
                ok = false;
            }
        }
        if (ok) {
            Append(c);
        }
    }
    if (ok && std::ferror(f) != 0) {
        Clear();
        if (prompt != nullptr) {
            prompt->ShowMessage(msg::kInformazione, msg::kErroreLetturaColonne, BtnOk);
        }
        ok = false;
    }
    std::fclose(f);
    return ok;
}

namespace {
// True when each of the eight bytes holds exactly one of the four sign bits.
inline bool EightSingles(std::uint64_t w) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    if ((w & 0xF0F0F0F0F0F0F0F0ULL) != 0 || (((w + 0x7F7F7F7F7F7F7F7FULL) | w) & kHigh) != kHigh) {
        return false; // a bit that is not a sign, or an empty set
    }
    // Every byte is 1..15: subtracting one from each borrows nothing across bytes.
    return (w & (w - kOnes)) == 0;
}
} // namespace

double ColumnsCost(const TListaColonne& list, double costPerColumn) {
    std::int64_t singles = 0;
    for (const Colonna& c : list) {
        std::uint64_t low = 0;
        std::uint64_t high = 0;
        std::memcpy(&low, c.s.data(), 8);
        std::memcpy(&high, c.s.data() + 4, 8);
        singles += EightSingles(low) && EightSingles(high) ? 1 : ColumnsCovered(c);
    }
    return costPerColumn * static_cast<double>(singles);
}

} // namespace tessaline
