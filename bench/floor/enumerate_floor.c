/* The floor for developing twelve quadruples into memory: a plain odometer writing all
 * 16,777,216 single columns (12 bytes each, one sign bit per team) into a fresh buffer.
 * Build: cc -O2 -o enumerate_floor bench/floor/enumerate_floor.c
 * Run as a whole process and compare with `tessaline-cli develop --forecast` of the same forecast. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define TEAMS 12
#define COLUMNS (1L << 24)

int main(void) {
    unsigned char* store = malloc((size_t)COLUMNS * TEAMS);
    unsigned char col[TEAMS];
    int digit[TEAMS];
    unsigned long sum = 0;
    long n = 0;
    if (store == NULL) {
        fputs("out of memory\n", stderr);
        return 1;
    }
    for (int t = 0; t < TEAMS; ++t) {
        digit[t] = 0;
        col[t] = 1;
    }
    for (;;) {
        memcpy(store + n * TEAMS, col, TEAMS);
        ++n;
        int t = TEAMS - 1;
        while (t >= 0 && digit[t] == 3) {
            digit[t] = 0;
            col[t] = 1;
            --t;
        }
        if (t < 0) {
            break;
        }
        ++digit[t];
        col[t] = (unsigned char)(1u << digit[t]);
    }
    for (long i = 0; i < n; i += 4099) {
        sum += store[i * TEAMS + (i % TEAMS)];
    }
    printf("%ld columns, check %lu\n", n, sum);
    free(store);
    return 0;
}
