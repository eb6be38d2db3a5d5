// Chooses the CRC-32 engine: the fastest one the processor supports, unless a
// test or benchmark has forced another.
#include "scan/crc/crc32_engine.h"

#include <atomic>
#include <initializer_list>

#include "scan/crc/crc32_kernels.h"

namespace kestrone::crc {
namespace {

using Kernel = uint32_t (*)(uint32_t, const unsigned char*, size_t);

Kernel KernelOf(Crc32Engine engine) {
    switch (engine) {
        case Crc32Engine::Bytewise:
            return UpdateBytewise;
        case Crc32Engine::Slicing:
            return UpdateSlicing;
        case Crc32Engine::Clmul:
            return UpdateClmul;
        case Crc32Engine::Vpclmul256:
            return UpdateVpclmul256;
        case Crc32Engine::Vpclmul512:
            return UpdateVpclmul512;
    }
    return UpdateSlicing;
}

std::atomic<int>& ActiveSlot() {
    static std::atomic<int> active{static_cast<int>(BestCrc32Engine())};
    return active;
}

}  // namespace

const char* Crc32EngineName(Crc32Engine engine) {
    switch (engine) {
        case Crc32Engine::Bytewise:
            return "bytewise";
        case Crc32Engine::Slicing:
            return "slicing16";
        case Crc32Engine::Clmul:
            return "clmul128";
        case Crc32Engine::Vpclmul256:
            return "vpclmul256";
        case Crc32Engine::Vpclmul512:
            return "vpclmul512";
    }
    return "?";
}

bool Crc32EngineAvailable(Crc32Engine engine) {
    const CpuFeatures& cpu = ProcessorFeatures();
    switch (engine) {
        case Crc32Engine::Bytewise:
        case Crc32Engine::Slicing:
            return true;
        case Crc32Engine::Clmul:
            return cpu.clmul;
        case Crc32Engine::Vpclmul256:
            return cpu.vpclmul256;
        case Crc32Engine::Vpclmul512:
            return cpu.vpclmul512;
    }
    return false;
}

Crc32Engine BestCrc32Engine() {
    for (Crc32Engine engine :
         {Crc32Engine::Vpclmul512, Crc32Engine::Vpclmul256, Crc32Engine::Clmul}) {
        if (Crc32EngineAvailable(engine)) return engine;
    }
    return Crc32Engine::Slicing;
}

uint32_t Crc32UpdateUsing(Crc32Engine engine, uint32_t crc, const void* data, size_t size) {
    // Instructions the processor lacks would end the program, so an engine it
    // cannot run gives way to the portable one.
    if (!Crc32EngineAvailable(engine)) engine = Crc32Engine::Slicing;
    return KernelOf(engine)(crc, static_cast<const unsigned char*>(data), size);
}

Crc32Engine ActiveCrc32Engine() {
    return static_cast<Crc32Engine>(ActiveSlot().load(std::memory_order_relaxed));
}

bool ForceCrc32Engine(Crc32Engine engine) {
    if (!Crc32EngineAvailable(engine)) return false;
    ActiveSlot().store(static_cast<int>(engine), std::memory_order_relaxed);
    return true;
}

void UseBestCrc32Engine() {
    ActiveSlot().store(static_cast<int>(BestCrc32Engine()), std::memory_order_relaxed);
}

}  // namespace kestrone::crc
