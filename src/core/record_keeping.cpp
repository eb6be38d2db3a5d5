#include "core/record_keeping.h"

#include "core/data_places.h"
#include "core/quarantine_store.h"
#include "core/undo_log.h"

namespace kestrone {

RecordKeeping::RecordKeeping() {
    CurrentDataLayout();  // decided once, before the first record is written
    UseQuarantine(true);
    UseUndoRecords(true);
}

RecordKeeping::~RecordKeeping() {
    UseQuarantine(false);
    UseUndoRecords(false);
}

}  // namespace kestrone
