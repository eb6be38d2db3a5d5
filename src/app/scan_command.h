// The scan page's Start and Stop: memory, local drives and removable media in
// that order, each target's lines appended to the report box, and
// "Scan completed successfully" after the last one — unless Windows refused
// some removals: then a line says how many threats are still there and why. Only the memory scan can
// be stopped; its folder walk polls FStopRequested after every file.
#pragma once

#include <functional>
#include <string>

#include "core/text.h"

namespace kestrone {

inline constexpr char kScanCompletedLine[] = "Scan completed successfully";
// The last line instead when Windows refused to remove some of what was found.
inline constexpr char kScanIncompleteLine[] = "Scan completed, but not every threat was removed";
inline constexpr char kScanningState[] = "Scanning";
inline constexpr char kStoppedState[] = "Stop";

struct ScanTargets {
    bool memory = true;          // "Operating Memory"
    bool localDrives = true;     // "Local Drives"
    bool removableMedia = true;  // "Removable Media"
};

// Where the scan's output goes, and the scanners it runs (the engine's by
// default; tests put their own in).
struct ScanPorts {
    std::function<void(const TextList&)> appendLines;
    std::function<void(int panel, const std::string&)> setStatus;
    std::function<void()> decryptDataFiles;
    std::function<TextList()> scanMemory;
    std::function<TextList()> scanFixedDrives;
    std::function<TextList()> scanRemovableDrives;
    // Called after a scan that met refusals, with their number (may be empty).
    std::function<void(int refused)> offerElevatedRepeat;
};
// The engine's scanners and decryption; the caller adds its output ports.
ScanPorts EngineScanPorts();

class OnDemandScan {
public:
    explicit OnDemandScan(ScanPorts ports) : ports_(std::move(ports)) {}

    // Runs the checked targets. Ignored while any scan of ours runs: a modal
    // question inside a drive scan processes window messages, and a second
    // Start from there would interleave two reports.
    void Start(const ScanTargets& targets);
    // Asks the running memory scan to stop; nothing otherwise.
    void Stop();

    bool FScanning = false;       // the memory scan runs
    bool FStopRequested = false;  // the user pressed Stop during it
    bool Busy() const { return busy_; }

private:
    ScanPorts ports_;
    bool busy_ = false;
};

}  // namespace kestrone
