// Where each data file lives. Decided once at start-up by every front-end
// (the window, the command-line scanner, the elevated instance), so that all
// of them read and write the same files:
//  - portable layout: the program folder is writable by the user (a stick, a
//    folder of one's own): everything stays beside the program;
//  - installed layout: it is not (Program Files for a standard account): what
//    the user's choices and our records produce lives in the user's own
//    "<local application data>\Kestrone\", while the shipped files are still
//    read from the program folder. Settings found beside the program act as
//    defaults for those the user has not set.
// An elevated instance decides by the user's ordinary rights, so it never
// takes the portable layout for a folder only an administrator can write.
#pragma once

#include <string>

namespace kestrone {

enum class DataLayout { Portable, Installed };

inline constexpr char kUserDataFolderName[] = "Kestrone";

// The rule itself.
DataLayout ChooseDataLayout(bool programFolderWritableByUser);

// Which kind of file a name is: shipped with the program (read from the
// program folder only), produced for this user (in the user folder), or one
// that has both (Process.dat: the shipped system list, the user's trust list;
// UserSettings.ini: defaults beside the program, the user's own choices).
enum class DataFileKind { Shipped, UserRecord, Layered };
DataFileKind KindOfDataFile(const std::string& fileName);

// The decision for this process, made on first use. The user folder is
// created when the installed layout needs it.
DataLayout CurrentDataLayout();
// The folder of the user's files, ending in a backslash: the program folder
// in the portable layout.
std::string UserDataDir();
// Forgets the decision (tests, which change the machine between cases).
void ForgetDataLayout();

// Where a file of the user's lives and where the shipped copy lives; the
// same path in the portable layout.
std::string UserFilePath(const std::string& fileName);
std::string ShippedFilePath(const std::string& fileName);

}  // namespace kestrone
