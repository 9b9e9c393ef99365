#pragma once
// The texts a printout drew on the recording canvas, and an order check over them.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "print/recording_canvas.h"

namespace tessaline::test {

inline std::vector<std::string> Texts(const TRecordingCanvas& c) {
    std::vector<std::string> out;
    for (const TRecordedOp& op : c.ops) {
        if (op.kind == TRecordedOp::Text) {
            out.push_back(op.text);
        }
    }
    return out;
}

// Every text of want found in got in this order (others may stand between them); else a message
// naming the first one missing.
inline ::testing::AssertionResult InOrder(const std::vector<std::string>& got,
                                          const std::vector<std::string>& want) {
    auto it = got.begin();
    for (const std::string& w : want) {
        it = std::find(it, got.end(), w);
        if (it == got.end()) {
            std::string all;
            for (const std::string& g : got) {
                all += "[" + g + "] ";
            }
            return ::testing::AssertionFailure() << "missing or out of order: [" << w << "] in " << all;
        }
        ++it;
    }
    return ::testing::AssertionSuccess();
}

} // namespace tessaline::test
