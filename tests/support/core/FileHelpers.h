#pragma once
// Reading and writing whole files in tests, and the write-fault hook held
// for one scope.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "text/Files.h"

namespace torepal {

inline std::string Slurp(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void Put(const std::filesystem::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary) << bytes;
}

struct FaultGuard {
    explicit FaultGuard(WriteFault f) { SetWriteFaultForTesting(f); }
    ~FaultGuard() { SetWriteFaultForTesting(WriteFault::None); }
    FaultGuard(const FaultGuard&) = delete;
    FaultGuard& operator=(const FaultGuard&) = delete;
};

}  // namespace torepal
