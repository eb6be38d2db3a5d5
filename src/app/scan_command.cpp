#include "app/scan_command.h"

#include "core/decryption.h"
#include "core/machine_changes.h"
#include "core/refusal_report.h"
#include "scan/drive_scan.h"
#include "scan/memory_scan.h"

namespace kestrone {

ScanPorts EngineScanPorts() {
    ScanPorts ports;
    ports.decryptDataFiles = [] { DecryptDataFiles(); };
    // The quarantine records which scan removed a file.
    ports.scanMemory = [] {
        RemovalReasonScope reason("Memory scan");
        return ScanMemory();
    };
    ports.scanFixedDrives = [] {
        RemovalReasonScope reason("Full scan of the local drives");
        return ScanFixedDrives();
    };
    ports.scanRemovableDrives = [] {
        RemovalReasonScope reason("Full scan of the removable media");
        return ScanRemovableDrives();
    };
    return ports;
}

void OnDemandScan::Start(const ScanTargets& targets) {
    if (FScanning || busy_) return;
    struct BusyScope {
        bool& flag;
        explicit BusyScope(bool& f) : flag(f) { flag = true; }
        ~BusyScope() { flag = false; }
    } busy(busy_);
    ResetMachineChanges();
    ports_.decryptDataFiles();
    bool any = false;
    if (targets.memory) {
        ports_.setStatus(0, kScanningState);
        FScanning = true;
        TextList lines;
        try {
            lines = ports_.scanMemory();
        } catch (...) {
            FScanning = FStopRequested = false;
            ports_.setStatus(0, kStoppedState);
            throw;
        }
        ports_.appendLines(lines);
        ports_.setStatus(0, kStoppedState);
        ports_.setStatus(1, "");
        FStopRequested = false;
        FScanning = false;
        any = true;
    }
    if (targets.localDrives) {
        ports_.appendLines(ports_.scanFixedDrives());
        any = true;
    }
    if (targets.removableMedia) {
        ports_.appendLines(ports_.scanRemovableDrives());
        any = true;
    }
    if (!any) return;
    int refused = MachineChanges().refused;
    if (refused == 0) {
        ports_.appendLines({kScanCompletedLine});
        return;
    }
    ports_.appendLines({RefusalLine(refused, CauseOfRefusals()), kScanIncompleteLine});
    if (ports_.offerElevatedRepeat) ports_.offerElevatedRepeat(refused);
}

void OnDemandScan::Stop() {
    if (!FScanning) return;
    FScanning = false;
    FStopRequested = true;
}

}  // namespace kestrone
