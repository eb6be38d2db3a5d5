// What every front-end (the window, the command-line scanner, the elevated
// instance) switches on before it changes anything: the data places decided,
// a sealed copy of every file the delete door removes, and the undo records of
// every system change. One object for all of them, so that no front-end can
// remove files without keeping them.
#pragma once

namespace kestrone {

class RecordKeeping {
  public:
    RecordKeeping();
    ~RecordKeeping();
    RecordKeeping(const RecordKeeping&) = delete;
    RecordKeeping& operator=(const RecordKeeping&) = delete;
};

}  // namespace kestrone
