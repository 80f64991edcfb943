// Runs a fuzz target once over every input it is given, without the fuzzer: the main() of the
// fuzz targets in builds without libFuzzer, so that every build's tests replay the seed corpus
// and the inputs that once found a fault. Arguments are files or folders of files.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace
{
void replay(const std::filesystem::path &file)
{
    const auto size = std::filesystem::file_size(file);
    // A buffer of the input's exact size, so that the address sanitizer sees a read past its end.
    const auto input = std::make_unique<uint8_t[]>(size);
    std::ifstream(file, std::ios::binary)
        .read(reinterpret_cast<char *>(input.get()), std::streamsize(size));
    LLVMFuzzerTestOneInput(input.get(), size);
}
} // namespace

int main(int argc, char **argv)
{
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(argv[i])) {
            for (const auto &entry : std::filesystem::directory_iterator(argv[i]))
                files.push_back(entry.path());
            std::sort(files.begin(), files.end());
        } else {
            files.emplace_back(argv[i]);
        }
        for (const std::filesystem::path &file : files) {
            std::printf("%s\n", file.c_str());
            std::fflush(stdout);
            replay(file);
            ++count;
        }
    }
    std::printf("%d inputs replayed\n", count);
    return count > 0 ? 0 : 1;
}
