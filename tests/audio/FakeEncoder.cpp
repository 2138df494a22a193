// Stands in for the Ogg Vorbis encoder in failure tests. Built twice:
// FAKE_ENCODER_DIES reads a little of its input, writes a partial file (or a
// partial stream to its standard output for "-o -") and crashes;
// FAKE_ENCODER_HANGS takes its arguments and then never reads.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

int main(int argc, char** argv) {
    const char* out = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-o") == 0)
            out = argv[i + 1];
    }
    if (!out)
        return 2;
#ifdef FAKE_ENCODER_DIES
    char buf[4096];
    long total = 0;
    while (total < 64 * 1024) {
        const ssize_t n = read(0, buf, sizeof buf);
        if (n <= 0)
            break;
        total += n;
    }
    if (std::strcmp(out, "-") == 0) {
        std::fputs("partial", stdout);
        std::fflush(stdout);
    } else if (FILE* f = std::fopen(out, "wb")) {
        std::fputs("partial", f);
        std::fclose(f);
    }
    std::fputs("fake encoder: cannot go on\n", stderr);
    std::fflush(stderr);
    std::abort();
#else
    for (;;)
        pause();
#endif
}
