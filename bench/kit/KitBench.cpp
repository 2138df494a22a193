// Builds a realistic kit (3 variants, RTF sheets of a few hundred kilobytes, two
// audio blobs of several megabytes each travelling as UTF-8 strings), then times
// loading it the station's way (unpack to kim.tmp, load, delete) against plain
// zlib inflation of the same file, and prints both times, their ratio and the
// peak memory of the loading process; then the UTF-8 decoding speed of each decoder.
//
//   zunt-kit-bench [ROUNDS]
#include "kit/Cp1251.h"
#include "kit/KitFile.h"
#include "kit/StationTables.h"
#include "kit/TableStream.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// An RTF sheet: Cyrillic text as \'xx escapes plus an embedded picture in hex.
std::string rtfSheet(std::mt19937& rng, std::size_t size) {
    static const char* words[] = {"\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2",
                                  "\\'e7\\'e0\\'e4\\'e0\\'ed\\'e8\\'e5",
                                  "text",
                                  "\\'ee\\'f2\\'e2\\'e5\\'f2",
                                  "listen",
                                  "\\'f3\\'f7\\'e0\\'f1\\'f2\\'ed\\'e8\\'ea"};
    std::string s = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Arial;}}\\f0\\fs28 ";
    while (s.size() < size / 3) {
        s += words[rng() % std::size(words)];
        s += (rng() % 12 == 0) ? "\\par\n" : " ";
    }
    s += "{\\pict\\pngblip\\picw400\\pich300 ";
    static const char hex[] = "0123456789abcdef";
    while (s.size() + 2 < size) {
        // Picture data compresses a little, as real PNG hex does not compress much.
        const unsigned v = rng();
        s += hex[v & 15];
        s += hex[(v >> 4) & 15];
        if (s.size() % 128 == 0)
            s += '\n';
    }
    return s + "}}";
}

std::string audioBlob(std::mt19937& rng, std::size_t size) {
    std::string s(size, '\0');
    s.replace(0, 4, "OggS");
    for (std::size_t i = 4; i < size; ++i)
        s[i] = static_cast<char>(rng() & 0xFF);
    return s;
}

std::string buildKit() {
    std::mt19937 rng(2019);
    kit::MemTable t = kit::makeComplectsTable();
    const char* sheets[] = {"Intro",   "TestRTF", "t1Task",  "t1Pre",  "t2Pre",  "t2Task", "t3Pre",
                            "t3Task1", "t3Task2", "t3Task3", "t4Task", "t5Task", "t6Task"};
    for (int var = 0; var < 3; ++var) {
        t.append();
        t.setText("subjid", "3");
        t.setText("subjname", "\xC0\xED\xE3\xEB\xE8\xE9\xF1\xEA\xE8\xE9 \xFF\xE7\xFB\xEA");
        t.setText("ExamDate", "20.05.2019");
        t.setText("VarNo", std::to_string(var));
        for (const char* f : sheets)
            t.setText(f, rtfSheet(rng, 150000 + rng() % 150000));
        for (const char* f : {"t1Ans", "t4Ans", "t5Ans", "t6Ans"})
            t.setText(f, "\xE2\xE0\xF0\xE8\xE0\xED\xF2 1\r\n\xE2\xE0\xF0\xE8\xE0\xED\xF2 2\r\n");
        t.setText("t1Aud", audioBlob(rng, 4'500'000));
        t.setText("t1AudPrep", audioBlob(rng, 3'000'000));
        t.post();
    }
    return kit::packKitData(kit::writeTableStream(t));
}

double plainInflate(const std::string& path, std::uint64_t* produced) {
    const auto start = Clock::now();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return -1;
    std::vector<unsigned char> in(65536), out(65536);
    z_stream z{};
    inflateInit(&z);
    std::fseek(f, 4, SEEK_SET);
    int ret = Z_OK;
    *produced = 0;
    while (ret != Z_STREAM_END) {
        z.avail_in = static_cast<uInt>(std::fread(in.data(), 1, in.size(), f));
        z.next_in = in.data();
        if (z.avail_in == 0)
            break;
        do {
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(out.size());
            ret = inflate(&z, Z_NO_FLUSH);
            *produced += out.size() - z.avail_out;
        } while (z.avail_out == 0 && ret == Z_OK);
        if (ret != Z_OK && ret != Z_STREAM_END)
            break;
    }
    inflateEnd(&z);
    std::fclose(f);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// CPU time of this thread, user and system: unlike wall time it does not grow
// when other programs share the processor.
double cpuMs() {
    timespec ts{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// The start-up steps 1-7; *unpackMs and *unpackCpu receive the share of steps 1-3.
double stationLoad(const std::string& kim, const std::string& tmp, double* unpackMs, double* unpackCpu) {
    const auto start = Clock::now();
    const double cpuStart = cpuMs();
    kit::MemTable table = kit::makeComplectsTable();
    std::string error;
    const bool unpacked = kit::unpackKit(kim, tmp, &error);
    *unpackMs = msSince(start);
    *unpackCpu = cpuMs() - cpuStart;
    if (!unpacked || !kit::loadTable(table, tmp, &error)) {
        std::fprintf(stderr, "load failed: %s\n", error.c_str());
        std::exit(1);
    }
    std::remove(tmp.c_str());
    table.locate("VarNo", 0);
    return msSince(start);
}

// Best time of decoding one audio blob's UTF-8 form into a buffer already touched,
// with the 32-byte decoder or without.
double decodeMs(const std::string& utf8, bool vector, int rounds) {
    kit::detail::setVectorDecoding(vector);
    std::string out(utf8.size(), '\0');
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        std::size_t written = 0;
        kit::utf8PieceToCp1251(utf8, true, out.data(), &written);
        best = std::min(best, msSince(start));
        if (written == 0)
            std::exit(1);
    }
    kit::detail::setVectorDecoding(true);
    return best;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const fs::path dir = fs::temp_directory_path() / ("zunt-kit-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string kim = (dir / "kim.kim").string();
    const std::string tmp = (dir / "kim.tmp").string();

    // Build in a child process so that this process's peak memory is the loading alone.
    const pid_t child = ::fork();
    if (child == 0) {
        const std::string bytes = buildKit();
        std::ofstream(kim, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        std::_Exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !fs::exists(kim)) {
        std::fprintf(stderr, "building the kit failed\n");
        return 1;
    }

    std::vector<double> loads, inflates, unpacks, loadCpu, inflateCpu, unpackCpu;
    std::uint64_t streamSize = 0;
    for (int i = 0; i < rounds; ++i) {
        double cpu = cpuMs();
        inflates.push_back(plainInflate(kim, &streamSize));
        inflateCpu.push_back(cpuMs() - cpu);
        double unpackMs = 0;
        double unpackCpuMs = 0;
        cpu = cpuMs();
        loads.push_back(stationLoad(kim, tmp, &unpackMs, &unpackCpuMs));
        loadCpu.push_back(cpuMs() - cpu);
        unpacks.push_back(unpackMs);
        unpackCpu.push_back(unpackCpuMs);
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const double peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    const double streamMb = static_cast<double>(streamSize) / (1024.0 * 1024.0);
    const double limitMb = 2 * streamMb + 40;
    // Each round times the two one after the other, so its ratio is the fairest when
    // other programs come and go; the median of the rounds' ratios is printed.
    std::vector<double> ratios, cpuRatios;
    for (int i = 0; i < rounds; ++i) {
        const auto r = static_cast<std::size_t>(i);
        ratios.push_back(loads[r] / inflates[r]);
        cpuRatios.push_back(loadCpu[r] / inflateCpu[r]);
    }
    const double ratio = median(ratios);
    const double cpuRatio = median(cpuRatios);

    std::printf("kit file:            %.1f MB compressed, %.1f MB table stream, 3 variants\n",
                static_cast<double>(fs::file_size(kim)) / (1024.0 * 1024.0), streamMb);
    std::printf("plain inflation:     median %.1f ms, best %.1f ms (%d rounds)\n", median(inflates),
                *std::min_element(inflates.begin(), inflates.end()), rounds);
    std::printf("station load:        median %.1f ms, best %.1f ms (unpack to kim.tmp, load, delete)\n", median(loads),
                *std::min_element(loads.begin(), loads.end()));
    std::printf("  of which unpack:   median %.1f ms; table stream load median %.1f ms\n", median(unpacks),
                median(loads) - median(unpacks));
    std::printf("CPU time:            inflation median %.1f ms, station load median %.1f ms\n", median(inflateCpu),
                median(loadCpu));
    std::printf("  of which unpack:   median %.1f ms CPU\n", median(unpackCpu));
    std::printf("ratio load/inflate:  %.2f wall, %.2f CPU, medians of the rounds' ratios (target <= 1.5)\n", ratio,
                cpuRatio);
    std::printf("peak memory:         %.1f MB (target < %.1f MB = 2 x table stream + 40 MB)\n", peakMb, limitMb);

    std::mt19937 rng(7);
    const std::string utf8 = kit::cp1251ToUtf8(audioBlob(rng, 4'500'000));
    const double mb = static_cast<double>(utf8.size()) / 1e6;
    const double portable = decodeMs(utf8, false, rounds);
    std::printf("UTF-8 decoding:      %.1f MB of an audio blob: portable %.1f ms (%.0f MB/s)", mb, portable,
                mb / portable * 1e3);
    if (kit::detail::hasVectorDecoding()) {
        const double vector = decodeMs(utf8, true, rounds);
        std::printf(", 32-byte %.1f ms (%.0f MB/s)", vector, mb / vector * 1e3);
    } else {
        std::printf(", no 32-byte decoder on this processor");
    }
    std::printf("\n");
    fs::remove_all(dir);
    return 0;
}
