// Prints the words of the voice file, one line per sign byte value 1 to 15: the value, a tab and
// the words. The build's voice generator speaks each line into its one-second slot.

#include <cstdio>

#include "tools/voice.h"

int main() {
    for (int a = 1; a <= 15; ++a) {
        std::printf("%d\t%s\n", a, tessaline::ParoleSegno(static_cast<std::uint8_t>(a)).c_str());
    }
    return 0;
}
