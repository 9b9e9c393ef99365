#include <gtest/gtest.h>

#include <random>

#include "reference/column_ops_reference.h"
#include "tools/column_ops.h"

namespace tessaline {
namespace {

// Columns from a small space so that equal and near columns are frequent; now and then an empty
// team, a second sign or a stray high bit.
Colonna Draw(std::mt19937& rng, int varying, int oddity) {
    Colonna c;
    for (int t = 0; t < 12; ++t) {
        c[t] = t < 12 - varying ? kSign1 : static_cast<SignSet>(1 << (rng() % 3));
    }
    if (oddity > 0 && rng() % 50 == 0) {
        const int t = static_cast<int>(rng() % 12);
        switch (oddity) {
        case 1:
            c[t] = 0;
            break;
        case 2:
            c[t] = static_cast<SignSet>(c[t] | kSignM);
            break;
        default:
            c[t] = static_cast<SignSet>(c[t] | 0x40);
        }
    }
    return c;
}

std::vector<Colonna> Texts(const TListaColonne& l) {
    return {l.begin(), l.end()};
}

TEST(ColumnIndex, OperationsMatchTheListWalk) {
    std::mt19937 rng(31);
    const TOperazione ops[] = {TOperazione::Or, TOperazione::And, TOperazione::Xor, TOperazione::CoperturaN1,
                               TOperazione::CoperturaN2};
    for (int round = 0; round < 100; ++round) {
        const int varying = 3 + round % 5;
        const int firstOddity = round % 7 == 0 ? 1 + round % 3 : 0;
        const int secondOddity = round % 4;
        TListaColonne first;
        std::vector<Colonna> second;
        const int n1 = static_cast<int>(rng() % 300);
        const int n2 = static_cast<int>(rng() % 400);
        for (int i = 0; i < n1; ++i) {
            first.Append(Draw(rng, varying, firstOddity));
        }
        for (int i = 0; i < n2; ++i) {
            second.push_back(Draw(rng, varying, secondOddity));
        }
        for (TOperazione op : ops) {
            const TListaColonne expected = reference::Combine(op, first, second);
            TListaColonne work = first;
            bool stopped = true;
            const TListaColonne got = CombinaListe(op, work, second.data(), second.size(), nullptr, stopped);
            EXPECT_FALSE(stopped);
            ASSERT_EQ(Texts(got), Texts(expected)) << "round " << round << " op " << static_cast<int>(op);
        }
    }
}

TEST(ColumnIndex, EdgeCases) {
    TListaColonne a;
    std::mt19937 rng(2);
    std::vector<Colonna> same;
    for (int i = 0; i < 50; ++i) {
        a.Append(Draw(rng, 6, 0));
        same.push_back(a[static_cast<std::size_t>(i)]);
    }
    bool stopped = false;
    TListaColonne w = a;
    EXPECT_EQ(Texts(CombinaListe(TOperazione::Or, w, same.data(), same.size(), nullptr, stopped)), Texts(a))
        << "OR of a file with itself";
    w = a;
    EXPECT_EQ(CombinaListe(TOperazione::Xor, w, same.data(), same.size(), nullptr, stopped).Count(), 0)
        << "XOR of a file with itself";
    // Two columns differing in both teams of one match are one wrong match apart: covered at N-1.
    Colonna x = a[0];
    x[0] = x[0] == kSign0 ? kSign1 : kSign0;
    x[1] = x[1] == kSign0 ? kSign1 : kSign0;
    TListaColonne one;
    one.Append(a[0]);
    EXPECT_EQ(CombinaListe(TOperazione::CoperturaN1, one, &x, 1, nullptr, stopped).Count(), 0);
}

} // namespace
} // namespace tessaline
