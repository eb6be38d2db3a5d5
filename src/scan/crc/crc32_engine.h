// The CRC-32 engines behind file codes and the choice between them. The best
// engine the processor supports is picked on first use; tests and benchmarks
// can force any supported engine to compare them on the same data.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kestrone::crc {

enum class Crc32Engine {
    Bytewise,    // the classic one-table loop: the reference and the slowest
    Slicing,     // sixteen tables, sixteen bytes per step; runs on any processor
    Clmul,       // carry-less multiplication folding, 128 bits (PCLMULQDQ)
    Vpclmul256,  // the same, folding 256-bit vectors (VPCLMULQDQ with AVX2)
    Vpclmul512,  // the same, folding 512-bit vectors (VPCLMULQDQ with AVX-512)
};

inline constexpr Crc32Engine kAllCrc32Engines[] = {Crc32Engine::Bytewise, Crc32Engine::Slicing,
                                                   Crc32Engine::Clmul, Crc32Engine::Vpclmul256,
                                                   Crc32Engine::Vpclmul512};

const char* Crc32EngineName(Crc32Engine engine);
// True when this processor (and its operating system) can run the engine.
bool Crc32EngineAvailable(Crc32Engine engine);
// The fastest available engine.
Crc32Engine BestCrc32Engine();

// Runs one engine on the CRC register (no complement before or after). An
// engine the processor cannot run is replaced by the portable slicing engine.
uint32_t Crc32UpdateUsing(Crc32Engine engine, uint32_t crc, const void* data, size_t size);

// The engine Crc32Update uses. Forcing an unavailable engine is refused (false).
Crc32Engine ActiveCrc32Engine();
bool ForceCrc32Engine(Crc32Engine engine);
void UseBestCrc32Engine();

}  // namespace kestrone::crc
